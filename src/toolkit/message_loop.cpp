#include "toolkit/message_loop.h"

#include <windowsx.h>

#include "toolkit/exception_boundary.h"
#include "toolkit/key_state.h"
#include "toolkit/live_control.h"
#include "toolkit/live_window.h"
#include "toolkit/toolkit.h"

namespace toolkit {
namespace {

// The one piece of toolkit-wide state: whether RunMessageLoop is running on
// this (the only user-interface) thread. The quit rule needs it because a
// window destroyed before the loop starts must not post WM_QUIT, which would
// end the loop as soon as it began.
bool LoopRunning = false;

class LoopRun {
public:
    LoopRun() { LoopRunning = true; }
    ~LoopRun() { LoopRunning = false; }
    LoopRun(const LoopRun&) = delete;
    LoopRun& operator=(const LoopRun&) = delete;
};

void DragByClientArea(const LiveWindow& window, LPARAM clientPoint) {
    if (!window.Definition->DragByClientArea) return;
    POINT point{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ClientToScreen(window.Handle, &point);
    PostMessageA(window.Handle, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

bool CloseOnEscape(const LiveWindow& window, WPARAM key) {
    if (!window.Definition->EscCloses || key != VK_ESCAPE || HeldModifierKeys() != 0) return false;
    SendMessageA(window.Handle, WM_CLOSE, 0, 0);
    return true;
}

// True when the handler answered false, which consumes the release.
bool RaiseLeftButtonReleased(const LiveControl& control, LPARAM clientPoint) {
    return !AskHandler(control.Definition->Events.LeftButtonReleased, true, GET_X_LPARAM(clientPoint),
                       GET_Y_LPARAM(clientPoint), HeldModifierKeys());
}

void Dispatch(const MSG& message) {
    if (PreDispatch(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

bool PreDispatch(const MSG& message) {
    const LiveControl* control = nullptr;
    const LiveWindow* window = LiveWindowFromHandle(message.hwnd);
    if (!window) {
        control = ControlFromHandle(message.hwnd);
        if (!control) return false;
        window = LiveWindowFromHandle(GetParent(message.hwnd));
        if (!window) return false;
    }
    switch (message.message) {
    case WM_LBUTTONDOWN:
        if (!control) DragByClientArea(*window, message.lParam);
        return false;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return CloseOnEscape(*window, message.wParam);
    case WM_LBUTTONUP:
        return control && RaiseLeftButtonReleased(*control, message.lParam);
    }
    return false;
}

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void QuitIfLastWindowGone() {
    if (LoopRunning && !AnyLiveWindow()) PostQuitMessage(0);
}

bool AnyWindowExists() { return AnyLiveWindow(); }

void RunMessageLoop() {
    // With no window there is nothing that could ever post WM_QUIT.
    if (!AnyLiveWindow()) return;
    LoopRun run;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
}

}  // namespace toolkit
