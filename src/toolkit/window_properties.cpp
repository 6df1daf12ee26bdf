// Properties and operations of live top-level windows.
#include "toolkit/live_window.h"
#include "toolkit/property_limits.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_frame.h"
#include "toolkit/window_procedure.h"

namespace toolkit {
namespace {

RECT OuterRectangle(const WindowDefinition& window) {
    RECT outer{};
    if (const LiveWindow* live = FindLiveWindow(window)) GetWindowRect(live->Handle, &outer);
    return outer;
}

}  // namespace

int WindowLeft(const WindowDefinition& window) { return OuterRectangle(window).left; }
int WindowTop(const WindowDefinition& window) { return OuterRectangle(window).top; }

int WindowWidth(const WindowDefinition& window) {
    const RECT outer = OuterRectangle(window);
    return outer.right - outer.left;
}

int WindowHeight(const WindowDefinition& window) {
    const RECT outer = OuterRectangle(window);
    return outer.bottom - outer.top;
}

void MoveWindowTo(const WindowDefinition& window, int left, int top) {
    const LiveWindow* live = FindLiveWindow(window);
    if (!live) return;
    left = ClampPosition(left);
    top = ClampPosition(top);
    RECT outer;
    GetWindowRect(live->Handle, &outer);
    if (outer.left == left && outer.top == top) return;
    MoveWindow(live->Handle, left, top, outer.right - outer.left, outer.bottom - outer.top, TRUE);
}

void SetWindowCaption(const WindowDefinition& window, const std::string& caption) {
    if (const LiveWindow* live = FindLiveWindow(window)) SetWindowTextA(live->Handle, caption.c_str());
}

std::string WindowCaption(const WindowDefinition& window) {
    const LiveWindow* live = FindLiveWindow(window);
    return live ? WindowText(live->Handle) : std::string();
}

void SetWindowBackColour(const WindowDefinition& window, COLORREF colour) {
    LiveWindow* live = FindLiveWindow(window);
    if (!live) return;
    live->BackColour = colour;
    InvalidateRect(live->Handle, nullptr, TRUE);
}

COLORREF WindowBackColour(const WindowDefinition& window) {
    const LiveWindow* live = FindLiveWindow(window);
    return live ? live->BackColour : 0;
}

void RequestDestroy(const WindowDefinition& window) {
    LiveWindow* live = FindLiveWindow(window);
    if (!live) return;
    // The first of the posted messages to arrive clears the mark and
    // destroys the window; the others find no mark (or no window).
    live->DestroyRequested = true;
    PostMessageA(live->Handle, DestroyRequestMessage, 0, 0);
}

LRESULT SendWindowMessage(const WindowDefinition& window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LiveWindow* live = FindLiveWindow(window);
    return live ? SendMessageA(live->Handle, message, wParam, lParam) : 0;
}

}  // namespace toolkit
