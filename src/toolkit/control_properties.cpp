// Properties of live controls, found by their window's definition and name.
#include "toolkit/label_window.h"
#include "toolkit/live_control.h"
#include "toolkit/live_window.h"
#include "toolkit/property_limits.h"
#include "toolkit/timer_window.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_frame.h"

namespace toolkit {
namespace {

LiveControl* Control(const WindowDefinition& window, const char* name) {
    const LiveWindow* live = FindLiveWindow(window);
    return live ? FindControl(live->Handle, name) : nullptr;
}

LabelWindow* Label(const WindowDefinition& window, const char* name) {
    const LiveControl* control = Control(window, name);
    return control ? LabelFromHandle(control->Handle) : nullptr;
}

TimerWindow* Timer(const WindowDefinition& window, const char* name) {
    const LiveControl* control = Control(window, name);
    return control ? TimerFromHandle(control->Handle) : nullptr;
}

// Writes one geometry value (already clamped) and moves the window to match.
void Place(const WindowDefinition& window, const char* name, int LiveControl::*field, int value) {
    LiveControl* control = Control(window, name);
    if (!control) return;
    control->*field = value;
    MoveWindow(control->Handle, control->Left, control->Top, control->Width, control->Height, TRUE);
}

int Read(const WindowDefinition& window, const char* name, int LiveControl::*field) {
    const LiveControl* control = Control(window, name);
    return control ? control->*field : 0;
}

// Changes one painting property of a label and repaints it.
template <typename Change>
void ChangeLook(const WindowDefinition& window, const char* name, Change change) {
    LabelWindow* label = Label(window, name);
    if (!label) return;
    change(label->Look);
    RepaintNow(label->Handle);
}

}  // namespace

void SetControlLeft(const WindowDefinition& window, const char* control, int left) {
    Place(window, control, &LiveControl::Left, ClampPosition(left));
}
void SetControlTop(const WindowDefinition& window, const char* control, int top) {
    Place(window, control, &LiveControl::Top, ClampPosition(top));
}
void SetControlWidth(const WindowDefinition& window, const char* control, int width) {
    Place(window, control, &LiveControl::Width, ClampSize(width));
}
void SetControlHeight(const WindowDefinition& window, const char* control, int height) {
    Place(window, control, &LiveControl::Height, ClampSize(height));
}
int ControlLeft(const WindowDefinition& window, const char* control) {
    return Read(window, control, &LiveControl::Left);
}
int ControlTop(const WindowDefinition& window, const char* control) { return Read(window, control, &LiveControl::Top); }
int ControlWidth(const WindowDefinition& window, const char* control) {
    return Read(window, control, &LiveControl::Width);
}
int ControlHeight(const WindowDefinition& window, const char* control) {
    return Read(window, control, &LiveControl::Height);
}

void SetControlVisible(const WindowDefinition& window, const char* control, bool visible) {
    LiveControl* live = Control(window, control);
    if (!live) return;
    live->Visible = visible;
    ShowControlAsSet(*live);
}

bool ControlVisible(const WindowDefinition& window, const char* control) {
    const LiveControl* live = Control(window, control);
    return live && live->Visible;
}

HWND ControlHandle(const WindowDefinition& window, const char* control) {
    const LiveControl* live = Control(window, control);
    return live ? live->Handle : nullptr;
}

void SetLabelBorder(const WindowDefinition& window, const char* label, int border) {
    if (LabelWindow* live = Label(window, label)) ApplyLabelBorder(*live, border);
}

int LabelBorderStyle(const WindowDefinition& window, const char* label) {
    const LabelWindow* live = Label(window, label);
    return live ? static_cast<int>(live->Look.Border) : 0;
}

void SetLabelTextColour(const WindowDefinition& window, const char* label, COLORREF colour) {
    ChangeLook(window, label, [colour](LabelLook& look) { look.TextColour = colour; });
}

COLORREF LabelTextColour(const WindowDefinition& window, const char* label) {
    const LabelWindow* live = Label(window, label);
    return live ? live->Look.TextColour : 0;
}

void SetLabelFont(const WindowDefinition& window, const char* label, const LOGFONTA& font) {
    ChangeLook(window, label, [&font](LabelLook& look) {
        look.HasFont = true;
        look.Font = font;
    });
}

bool LabelFont(const WindowDefinition& window, const char* label, LOGFONTA* font) {
    const LabelWindow* live = Label(window, label);
    if (!live || !live->Look.HasFont) return false;
    if (font) *font = live->Look.Font;
    return true;
}

void SetLabelCaption(const WindowDefinition& window, const char* label, const std::string& caption) {
    // The label repaints itself on WM_SETTEXT.
    if (const LabelWindow* live = Label(window, label)) SetWindowTextA(live->Handle, caption.c_str());
}

std::string LabelCaption(const WindowDefinition& window, const char* label) {
    const LabelWindow* live = Label(window, label);
    return live ? WindowText(live->Handle) : std::string();
}

void SetTimerPeriod(const WindowDefinition& window, const char* timer, int period) {
    if (TimerWindow* live = Timer(window, timer)) SetPeriod(*live, period);
}

int TimerPeriod(const WindowDefinition& window, const char* timer) {
    const TimerWindow* live = Timer(window, timer);
    return live ? live->Period : 0;
}

}  // namespace toolkit
