// Static window and control definitions: what a window and its controls are
// at design time. The toolkit creates live windows from them (toolkit.h);
// definitions never change at run time.
//
// A definition names its event handlers as plain functions. A handler has no
// arguments beyond those of its event: it reaches live windows and controls
// through their definitions (toolkit.h).
#pragma once

#include <windows.h>

#include <cstddef>

namespace toolkit {

// A colour property may hold this instead of a colour reference: a window or
// label background then paints in the system button-face colour, a gradient
// colour means "no colour", a transparent colour means "none".
constexpr COLORREF DefaultColour = 0xFF000000;

// The pointer shown over an object. Hand is the stock IDC_HAND, which the
// toolkit always loads from its own cursor resource (HAND_POINTER_CURSOR).
enum class MousePointer { None, Hand };

struct CommonProperties {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    const char* Tag = "";
    bool Visible = true;
    bool Disabled = false;
    bool TabStop = false;
    int TabOrder = 0;
    MousePointer Pointer = MousePointer::None;
};

// Bytes of a picture held in the program (a JPEG file for the button).
// Bytes == nullptr means no picture.
struct PictureData {
    const unsigned char* Bytes = nullptr;
    std::size_t Size = 0;
};

// ---- controls ---------------------------------------------------------------

enum class ControlKind { Label, PictureButton, Timer };

// Border styles of a label; values outside 0-6 are held within them.
enum class LabelBorder : int {
    None = 0,
    Sunken = 1,      // WS_EX_CLIENTEDGE
    Raised = 2,      // WS_EX_DLGMODALFRAME
    ThinSunken = 3,  // WS_EX_STATICEDGE
    Framed = 4,      // WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME
    SingleLine = 5,  // WS_BORDER
    Gradient = 6,    // painted by the label itself
};

enum class TextEffect { Plain };
enum class HorizontalAlignment { Left, Centre, Right };
enum class VerticalAlignment { Top, Centre, Bottom };

struct LabelProperties {
    const char* Caption = "";
    TextEffect Effect = TextEffect::Plain;
    LabelBorder Border = LabelBorder::None;
    int GradientFrameWidth = 8;
    COLORREF GradientFrameColours[3] = {0x808080, 0xFFFFFF, 0x808080};
    const LOGFONTA* Font = nullptr;  // nullptr: the stock DEFAULT_GUI_FONT
    COLORREF TextColour = 0x000000;
    COLORREF BackColour = DefaultColour;
    bool HasBackgroundPicture = false;  // no label has one
    bool HasGradientBackground = false;  // no label draws one
    COLORREF GradientBackgroundColours[3] = {0x808080, 0xFFFFFF, 0x808080};
    HorizontalAlignment HAlign = HorizontalAlignment::Left;
    VerticalAlignment VAlign = VerticalAlignment::Centre;
    bool WordWrap = false;
    const char* DataSource = "";
    const char* DataColumn = "";
};

enum class ButtonKind { Push, Toggle };

struct PictureButtonProperties {
    ButtonKind Kind = ButtonKind::Push;
    bool Selected = false;
    PictureData Normal;
    PictureData Hover;
    PictureData Pressed;
    PictureData Disabled;
    COLORREF TransparentColour = DefaultColour;  // none
};

struct TimerProperties {
    int Period = 0;  // milliseconds; 0 = stopped
};

// Handlers of a control's events. A handler left null is not bound.
struct ControlEvents {
    // WM_LBUTTONUP over the control: x and y in its client coordinates, keys
    // = 1 Ctrl | 2 Shift | 4 Alt. Answering false consumes the release.
    bool (*LeftButtonReleased)(int x, int y, int keys) = nullptr;
    void (*Clicked)() = nullptr;   // picture button released inside
    void (*Periodic)() = nullptr;  // timer tick
};

struct ControlDefinition {
    const char* Name;  // unique within its window; how handlers find it
    ControlKind Kind;
    CommonProperties Common;  // Left/Top in the window's client coordinates
    LabelProperties Label;            // for ControlKind::Label
    PictureButtonProperties Button;   // for ControlKind::PictureButton
    TimerProperties Timer;            // for ControlKind::Timer
    ControlEvents Events;
};

// ---- windows ----------------------------------------------------------------

enum class WindowBorder { None, Single, Sizable, Dialog };
enum class StartPosition { Manual, CentreScreen };
enum class PictureLayout { Tile, Stretch, Centre };

struct WindowEvents {
    void (*Created)() = nullptr;
    void (*PositionChanged)() = nullptr;
    void (*SizeChanged)() = nullptr;
    // WM_CLOSE and WM_QUERYENDSESSION. Answering false keeps the window.
    bool (*CanClose)() = nullptr;
};

struct WindowDefinition {
    const char* Name;  // for diagnostics only
    CommonProperties Common;  // Left/Top: screen position of the outer rectangle
    const char* Caption = "";
    WindowBorder Border = WindowBorder::None;
    bool ControlBox = true;
    bool MaxButton = false;
    bool MinButton = false;
    StartPosition Start = StartPosition::CentreScreen;
    bool Movable = true;
    bool ShowInTaskbar = true;
    bool AlwaysOnTop = false;
    bool KeepCaptionActive = false;
    bool DragByClientArea = false;
    bool EscCloses = false;
    bool EnterMovesFocus = false;
    bool F1OpensHelp = false;
    const char* HelpFile = "";
    int HelpContext = 0;
    COLORREF BackColour = DefaultColour;
    bool HasBackgroundPicture = false;
    PictureLayout BackgroundLayout = PictureLayout::Tile;
    bool HasBackgroundMusic = false;
    int MusicPlayCount = 0;
    bool HasIcon = false;   // false: the program icon DEFAULT_ICON
    bool HasShape = false;  // false: a plain rectangle, no window region
    const char* ClassName = "";  // empty: the toolkit's default window class
    const ControlDefinition* Controls = nullptr;  // in z-order, topmost first
    std::size_t ControlCount = 0;
    WindowEvents Events;
};

}  // namespace toolkit
