// What every live control (label, picture button, timer) has in common, and
// finding controls from their handles or from their window and name.
#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/definitions.h"

namespace toolkit {

// Owned by the control's native window from WM_NCCREATE to WM_NCDESTROY.
// The geometry is what was last written (clamped); the native window follows.
struct LiveControl {
    explicit LiveControl(const ControlDefinition& definition);
    virtual ~LiveControl() = default;
    LiveControl(const LiveControl&) = delete;
    LiveControl& operator=(const LiveControl&) = delete;

    const ControlDefinition* Definition;
    HWND Handle = nullptr;
    int Left;
    int Top;
    int Width;
    int Height;
    bool Visible;
};

// nullptr unless `control` is a live toolkit control.
LiveControl* ControlFromHandle(HWND control);

// The live control called `name` among the children of `window`, or nullptr.
LiveControl* FindControl(HWND window, const char* name);

// Creates a control window of `className` hidden in `parent`, placed at its
// (clamped) design rectangle, handing `state` to it. The window text is
// `text`. Returns the new window or nullptr.
HWND CreateControlWindow(HWND parent, const char* className, const char* text,
                         std::unique_ptr<LiveControl> state);

// WM_SETCURSOR of a control: sets the control's pointer when it has one and
// the mouse is over its client area. Returns whether it did.
bool SetControlPointer(HWND control, WPARAM cursorWindow, LPARAM hitTestAndMessage);

// Shows (SW_SHOWNA) or hides the control's window as its Visible says;
// a timer's window is never shown.
void ShowControlAsSet(const LiveControl& control);

}  // namespace toolkit
