#include "toolkit/window_procedure.h"

#include "toolkit/colours.h"
#include "toolkit/exception_boundary.h"
#include "toolkit/live_window.h"
#include "toolkit/message_loop.h"
#include "toolkit/mouse_pointer.h"
#include "toolkit/unique_handles.h"
#include "toolkit/window_state.h"

namespace toolkit {
namespace {

// Raising an event may destroy the window (and its LiveWindow) inside the
// handler, so nothing here touches the state again after one without
// looking it up afresh.

void OnMoveOrSize(HWND window, void (*WindowEvents::*event)()) {
    const LiveWindow* live = LiveWindowFromHandle(window);
    if (!live || !live->RaisesMoveAndSizeEvents) return;
    CallHandler(live->Definition->Events.*event);
}

LRESULT OnEraseBackground(HWND window, HDC dc) {
    const LiveWindow* live = LiveWindowFromHandle(window);
    RECT client;
    GetClientRect(window, &client);
    UniqueBrush brush(CreateSolidBrush(ResolveColour(live ? live->BackColour : DefaultColour)));
    FillRect(dc, &client, brush.get());
    return 1;
}

// Whether the can-be-closed handler lets the window go. No handler lets it go;
// a window that the handler destroyed is not held back either.
bool MayClose(HWND window) {
    const LiveWindow* live = LiveWindowFromHandle(window);
    const bool answer = AskHandler(live ? live->Definition->Events.CanClose : nullptr, true);
    return answer || !IsWindow(window);
}

LRESULT OnClose(HWND window) {
    if (!MayClose(window) || !IsWindow(window)) return 0;
    // The default processing destroys the window.
    return DefWindowProcA(window, WM_CLOSE, 0, 0);
}

LRESULT OnQueryEndSession(HWND window, WPARAM wParam, LPARAM lParam) {
    if (!DefWindowProcA(window, WM_QUERYENDSESSION, wParam, lParam)) return FALSE;
    return MayClose(window) ? TRUE : FALSE;
}

void OnDestroyRequest(HWND window) {
    LiveWindow* live = LiveWindowFromHandle(window);
    if (!live || !live->DestroyRequested) return;
    live->DestroyRequested = false;
    DestroyWindow(window);
}

bool OnSetCursor(HWND window, WPARAM cursorWindow, LPARAM hitTestAndMessage) {
    const LiveWindow* live = LiveWindowFromHandle(window);
    return live && SetPointerOver(window, live->Definition->Common.Pointer, cursorWindow, hitTestAndMessage);
}

// A hidden owner cannot be destroyed while the window it owns is still being
// destroyed (that would start destroying the window again), so it is asked
// to close through the queue. Posted before any WM_QUIT, it is handled
// before the loop ends.
void LetHiddenOwnerGo(HWND window) {
    const LiveWindow* live = LiveWindowFromHandle(window);
    if (live && live->HiddenOwner) PostMessageA(live->HiddenOwner, WM_CLOSE, 0, 0);
}

// The window's state goes first, so that the window no longer counts as
// live when the quit rule looks for windows that are left.
void OnNcDestroy(HWND window) {
    LetHiddenOwnerGo(window);
    DropState<LiveWindow>(window);
    DefWindowProcA(window, WM_NCDESTROY, 0, 0);
    QuitIfLastWindowGone();
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        AdoptState<LiveWindow>(window, lParam);
        break;
    case WM_ERASEBKGND:
        return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_MOVE:
        DefWindowProcA(window, message, wParam, lParam);
        OnMoveOrSize(window, &WindowEvents::PositionChanged);
        return 0;
    case WM_SIZE:
        DefWindowProcA(window, message, wParam, lParam);
        OnMoveOrSize(window, &WindowEvents::SizeChanged);
        return 0;
    case WM_CLOSE:
        return OnClose(window);
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(window, wParam, lParam);
    case WM_SETCURSOR:
        if (OnSetCursor(window, wParam, lParam)) return TRUE;
        break;
    case DestroyRequestMessage:
        OnDestroyRequest(window);
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallProcedure(HandleMessage, window, message, wParam, lParam);
}

}  // namespace toolkit
