#include "toolkit/window_styles.h"

namespace toolkit {
namespace {

DWORD FrameStyle(WindowBorder border) {
    switch (border) {
    case WindowBorder::None: return 0;
    case WindowBorder::Single: return WS_BORDER;
    case WindowBorder::Sizable: return WS_THICKFRAME;
    case WindowBorder::Dialog: return WS_DLGFRAME;
    }
    return 0;
}

}  // namespace

WindowStyles ResolveWindowStyles(const WindowDefinition& definition, bool owned) {
    WindowStyles styles;
    styles.Style = WS_CLIPCHILDREN | FrameStyle(definition.Border);
    // Without a border there is no caption bar, whatever the caption and the
    // control box say.
    if (definition.Border != WindowBorder::None) {
        if (definition.ControlBox || (definition.Caption && *definition.Caption)) styles.Style |= WS_CAPTION;
        if (definition.ControlBox) styles.Style |= WS_SYSMENU;
    }
    if (definition.MaxButton) styles.Style |= WS_MAXIMIZEBOX;
    if (definition.MinButton) styles.Style |= WS_MINIMIZEBOX;
    if (owned) {
        // The two top bits say overlapped, pop-up or child.
        styles.Style = (styles.Style & ~(WS_POPUP | WS_CHILD)) | WS_POPUP;
    }
    if (definition.AlwaysOnTop) styles.ExStyle |= WS_EX_TOPMOST;
    return styles;
}

POINT StartingPoint(const WindowDefinition& definition, int screenWidth, int screenHeight) {
    if (definition.Start != StartPosition::CentreScreen) return POINT{definition.Common.Left, definition.Common.Top};
    // C++ integer division truncates toward zero, as the centring must.
    return POINT{(screenWidth - definition.Common.Width) / 2, (screenHeight - definition.Common.Height) / 2};
}

}  // namespace toolkit
