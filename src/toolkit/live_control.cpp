#include "toolkit/live_control.h"

#include <cstring>

#include "toolkit/label_window.h"
#include "toolkit/mouse_pointer.h"
#include "toolkit/picture_button.h"
#include "toolkit/property_limits.h"
#include "toolkit/timer_window.h"
#include "toolkit/window_state.h"

namespace toolkit {

LiveControl::LiveControl(const ControlDefinition& definition)
    : Definition(&definition),
      Left(ClampPosition(definition.Common.Left)),
      Top(ClampPosition(definition.Common.Top)),
      Width(ClampSize(definition.Common.Width)),
      Height(ClampSize(definition.Common.Height)),
      Visible(definition.Common.Visible) {}

LiveControl* ControlFromHandle(HWND control) {
    for (WNDPROC procedure : {LabelProcedure, PictureButtonProcedure, TimerProcedure}) {
        if (LiveControl* live = StateOf<LiveControl>(control, procedure)) return live;
    }
    return nullptr;
}

LiveControl* FindControl(HWND window, const char* name) {
    if (!window || !name) return nullptr;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LiveControl* live = ControlFromHandle(child);
        if (live && std::strcmp(live->Definition->Name, name) == 0) return live;
    }
    return nullptr;
}

HWND CreateControlWindow(HWND parent, const char* className, const char* text,
                         std::unique_ptr<LiveControl> state) {
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (state->Definition->Common.Disabled ? WS_DISABLED : 0);
    return CreateWindowExA(0, className, text, style, state->Left, state->Top, state->Width, state->Height, parent,
                           nullptr, GetModuleHandleA(nullptr), &state);
}

bool SetControlPointer(HWND control, WPARAM cursorWindow, LPARAM hitTestAndMessage) {
    const LiveControl* live = ControlFromHandle(control);
    return live && SetPointerOver(control, live->Definition->Common.Pointer, cursorWindow, hitTestAndMessage);
}

void ShowControlAsSet(const LiveControl& control) {
    // A timer is only a carrier for WM_TIMER: its window draws nothing.
    const bool show = control.Visible && control.Definition->Kind != ControlKind::Timer;
    ShowWindow(control.Handle, show ? SW_SHOWNA : SW_HIDE);
}

}  // namespace toolkit
