// Loading a window from its definition, in the order that handlers rely on.
#include <vector>

#include "toolkit/exception_boundary.h"
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

struct OwnedWindows {
    HWND Owner;
    std::vector<HWND> Windows;  // top of the z-order first, as EnumThreadWindows gives them
};

BOOL CALLBACK AddIfOwned(HWND window, LPARAM parameter) {
    auto* owned = reinterpret_cast<OwnedWindows*>(parameter);
    if (GetWindow(window, GW_OWNER) == owned->Owner && IsWindowVisible(window) && LiveWindowFromHandle(window)) {
        owned->Windows.push_back(window);
    }
    return TRUE;
}

// Windows keeps owned windows above their owner. Wine on a bare X server
// does not when the owner is shown after them (as a window loaded inside its
// owner's created handler is): the owner is mapped on top of the X stack and
// hides them, although the Win32 z-order still has them above. HWND_TOP
// alone changes nothing for a window already first in the Win32 z-order, so
// each goes to the bottom and back to the top, the lowest one first.
void KeepOwnedWindowsAbove(HWND owner) {
    OwnedWindows owned{owner, {}};
    EnumThreadWindows(GetCurrentThreadId(), AddIfOwned, reinterpret_cast<LPARAM>(&owned));
    for (auto window = owned.Windows.rbegin(); window != owned.Windows.rend(); ++window) {
        SetWindowPos(*window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(*window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// Raises one event of a window that may be gone by now (a handler can
// destroy it); returns whether the window still exists afterwards.
bool RaiseWhileAlive(HWND window, void (*handler)()) {
    if (!LiveWindowFromHandle(window)) return false;
    CallHandler(handler);
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
    if (definition.Common.Visible) {
        ShowWindow(window, SW_SHOW);
        KeepOwnedWindowsAbove(window);
    }
    return LiveWindowFromHandle(window) != nullptr;
}

bool IsLoaded(const WindowDefinition& window) { return FindLiveWindow(window) != nullptr; }

HWND WindowHandle(const WindowDefinition& window) {
    const LiveWindow* live = FindLiveWindow(window);
    return live ? live->Handle : nullptr;
}

}  // namespace toolkit
