// A hook DLL that the observer (bench_driver) sets on a measured program's
// user-interface thread; Windows loads it into that program at its first
// message. It counts the messages the thread handles, and times the first
// WM_PAINT of one label, found by its place: the end of that WM_PAINT is
// when its text has been drawn, which cannot be seen from outside without
// screenshots. The figures go into the HookBlock that the observer created
// for this process.
//
// The label's window procedure is not wrapped: the toolkit recognises its
// windows by their window procedure and would no longer paint the label.
// Instead, when the WM_PAINT is taken off the queue, a marker message is
// posted to the thread; posted messages come before any other kind, so the
// thread takes the marker as soon as the WM_PAINT has been handled.
#include <windows.h>

#include "clock.h"
#include "hook_block.h"
#include "toolkit/unique_handles.h"

namespace {

constexpr WPARAM MarkerWord = 0x4E42;  // "NB"
constexpr LPARAM MarkerLong = 0x50414E54;

// A hook procedure gets no context of its own: these are the DLL's, one per
// measured process, released when the DLL is unloaded.
toolkit::UniqueResource<HANDLE, toolkit::CloseKernelHandle> BlockMapping;
bench::UniqueHookBlockView BlockView;

bench::HookBlock* OpenBlock() {
    if (BlockView) return BlockView.get();
    BlockMapping.reset(
        OpenFileMappingA(FILE_MAP_WRITE, FALSE, bench::HookBlockName(GetCurrentProcessId()).c_str()));
    if (!BlockMapping) return nullptr;
    BlockView.reset(static_cast<bench::HookBlock*>(
        MapViewOfFile(BlockMapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(bench::HookBlock))));
    return BlockView.get();
}

// Whether `window` is the child window at the block's label rectangle.
bool IsTheLabel(const bench::HookBlock& block, HWND window) {
    if (!window || block.LabelWidth <= 0 || !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) return false;
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect.left == block.LabelLeft && rect.top == block.LabelTop &&
           rect.right - rect.left == block.LabelWidth && rect.bottom - rect.top == block.LabelHeight;
}

void OnMessageTaken(bench::HookBlock& block, const MSG& message) {
    InterlockedIncrement(&block.Retrieved);
    if (message.hwnd == nullptr && message.message == WM_NULL && message.wParam == MarkerWord &&
        message.lParam == MarkerLong) {
        if (block.FirstPaintEnd == 0) block.FirstPaintEnd = bench::Ticks();
        return;
    }
    if (message.message == WM_PAINT && block.FirstPaintStart == 0 && IsTheLabel(block, message.hwnd)) {
        block.FirstPaintStart = bench::Ticks();
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, MarkerWord, MarkerLong);
    }
}

void OnMessageSent(bench::HookBlock& block, const CWPSTRUCT& message) {
    InterlockedIncrement(&block.Sent);
    if (message.message == WM_PAINT && block.FirstPaintStart == 0 && IsWindowVisible(message.hwnd) &&
        IsTheLabel(block, message.hwnd)) {
        InterlockedIncrement(&block.SentPaintsBefore);
    }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK BenchGetMessageHook(int code, WPARAM removal, LPARAM message) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        if (bench::HookBlock* block = OpenBlock()) OnMessageTaken(*block, *reinterpret_cast<const MSG*>(message));
    }
    return CallNextHookEx(nullptr, code, removal, message);
}

extern "C" __declspec(dllexport) LRESULT CALLBACK BenchCallWindowHook(int code, WPARAM fromThisThread,
                                                                      LPARAM message) {
    if (code == HC_ACTION) {
        if (bench::HookBlock* block = OpenBlock()) {
            OnMessageSent(*block, *reinterpret_cast<const CWPSTRUCT*>(message));
        }
    }
    return CallNextHookEx(nullptr, code, fromThisThread, message);
}
