// Loading a window from its definition, in the order that handlers rely on.
#include <vector>

#include "toolkit/label_window.h"
#include "toolkit/live_control.h"
#include "toolkit/live_window.h"
#include "toolkit/picture_button.h"
#include "toolkit/timer_window.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_creation.h"

namespace toolkit {
namespace {

HWND CreateControl(HWND window, const ControlDefinition& control) {
    switch (control.Kind) {
    case ControlKind::Label: return CreateLabelWindow(window, control);
    case ControlKind::PictureButton: return CreatePictureButton(window, control);
    case ControlKind::Timer: return CreateTimerWindow(window, control);
    }
    return nullptr;
}

// Controls are created from the last in z-order to the first, then put in
// their z-order explicitly (topmost first) and shown or hidden as defined,
// without activating anything.
void CreateControls(HWND window, const WindowDefinition& definition) {
    std::vector<HWND> controls(definition.ControlCount);
    for (std::size_t i = definition.ControlCount; i-- > 0;) {
        controls[i] = CreateControl(window, definition.Controls[i]);
    }
    HWND above = HWND_TOP;
    for (HWND control : controls) {
        if (!control) continue;
        SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control;
    }
    for (HWND control : controls) {
        if (const LiveControl* live = ControlFromHandle(control)) ShowControlAsSet(*live);
    }
}

// Raises one event of a window that may be gone by now (a handler can
// destroy it); returns whether the window still exists afterwards.
bool RaiseWhileAlive(HWND window, void (*handler)()) {
    if (!LiveWindowFromHandle(window)) return false;
    if (handler) handler();
    return LiveWindowFromHandle(window) != nullptr;
}

}  // namespace

bool LoadWindow(const WindowDefinition& definition, const WindowDefinition* owner) {
    const HWND ownerWindow = owner ? WindowHandle(*owner) : nullptr;
    const HWND window = CreateLiveWindow(definition, ownerWindow);
    if (!window) return false;
    CreateControls(window, definition);

    // From here on every WM_MOVE and WM_SIZE raises its event, including
    // those caused by the created handler itself.
    LiveWindow* live = LiveWindowFromHandle(window);
    if (!live) return false;
    live->RaisesMoveAndSizeEvents = true;
    const WindowEvents& events = definition.Events;
    if (!RaiseWhileAlive(window, events.Created)) return false;
    if (!RaiseWhileAlive(window, events.PositionChanged)) return false;
    if (!RaiseWhileAlive(window, events.SizeChanged)) return false;
    if (definition.Common.Visible) ShowWindow(window, SW_SHOW);
    return LiveWindowFromHandle(window) != nullptr;
}

bool IsLoaded(const WindowDefinition& window) { return FindLiveWindow(window) != nullptr; }

HWND WindowHandle(const WindowDefinition& window) {
    const LiveWindow* live = FindLiveWindow(window);
    return live ? live->Handle : nullptr;
}

}  // namespace toolkit
