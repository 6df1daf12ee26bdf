#include "forms/forms.h"

#include "backdrop/backdrop_handlers.h"
#include "content/closing.h"
#include "content/content_setup.h"
#include "content/default_web_address.h"
#include "content/link.h"
#include "forms/close_button_pictures.h"

namespace {

using namespace toolkit;

constexpr COLORREF Magenta = RGB(255, 0, 255);

// Every label of the content window starts from this; the handlers place
// and style them from the settings before the window is first shown.
constexpr LabelProperties PlainLabel{
    .Caption = "",
    .Effect = TextEffect::Plain,
    .Border = LabelBorder::None,
    .GradientFrameWidth = 8,
    .GradientFrameColours = {0x808080, 0xFFFFFF, 0x808080},
    .Font = nullptr,
    .TextColour = 0x000000,
    .BackColour = Magenta,
    .HasBackgroundPicture = false,
    .HasGradientBackground = false,
    .GradientBackgroundColours = {0x808080, 0xFFFFFF, 0x808080},
    .HAlign = HorizontalAlignment::Left,
    .VAlign = VerticalAlignment::Centre,
    .WordWrap = false,
    .DataSource = "",
    .DataColumn = "",
};

constexpr LabelProperties WrappingLabel = [] {
    LabelProperties label = PlainLabel;
    label.WordWrap = true;
    return label;
}();

constexpr LabelProperties LinkLabel = [] {
    LabelProperties label = PlainLabel;
    label.Caption = DefaultWebAddress;
    return label;
}();

CommonProperties Placed(int left, int top, int width, int height, bool visible = true,
                        MousePointer pointer = MousePointer::None) {
    CommonProperties common;
    common.Left = left;
    common.Top = top;
    common.Width = width;
    common.Height = height;
    common.Visible = visible;
    common.Pointer = pointer;
    return common;
}

PictureButtonProperties CloseButtonPictures() {
    PictureButtonProperties button;
    button.Kind = ButtonKind::Push;
    button.Normal = {CloseButtonNormalPicture, CloseButtonNormalPictureSize};
    button.Hover = {CloseButtonHoverPicture, CloseButtonHoverPictureSize};
    button.Pressed = {CloseButtonPressedPicture, CloseButtonPressedPictureSize};
    return button;
}

ControlEvents LinkEvents() {
    ControlEvents events;
    events.LeftButtonReleased = OnLinkReleased;
    return events;
}

ControlEvents ButtonEvents() {
    ControlEvents events;
    events.Clicked = OnCloseClicked;
    return events;
}

ControlEvents TimerEvents() {
    ControlEvents events;
    events.Periodic = OnAutoCloseTick;
    return events;
}

// Topmost first. The body label is defined 406 high; the settings' default
// of 390 replaces that before it is ever seen.
const ControlDefinition ContentControls[] = {
    {.Name = LinkLabelName, .Kind = ControlKind::Label,
     .Common = Placed(52, 616, 220, 20, false, MousePointer::Hand), .Label = LinkLabel, .Button = {}, .Timer = {},
     .Events = LinkEvents()},
    {.Name = BodyLabelName, .Kind = ControlKind::Label, .Common = Placed(52, 184, 416, 406),
     .Label = WrappingLabel, .Button = {}, .Timer = {}, .Events = {}},
    {.Name = TitleLabelName, .Kind = ControlKind::Label, .Common = Placed(108, 91, 304, 56),
     .Label = PlainLabel, .Button = {}, .Timer = {}, .Events = {}},
    {.Name = CloseButtonName, .Kind = ControlKind::PictureButton, .Common = Placed(438, 54, 43, 16),
     .Label = {}, .Button = CloseButtonPictures(), .Timer = {}, .Events = ButtonEvents()},
    {.Name = AutoCloseTimerName, .Kind = ControlKind::Timer, .Common = Placed(474, 28, 30, 28, false),
     .Label = {}, .Button = {}, .Timer = {.Period = 0}, .Events = TimerEvents()},
};

// What both windows share: 520 x 670, no border, centred (the design
// position 50, 50 is never used), the program icon, a control box with no
// caption bar to show it, Esc closes, shown in the taskbar unless owned.
WindowDefinition ScrollSizedWindow(const char* name) {
    WindowDefinition window{};
    window.Name = name;
    window.Common = Placed(50, 50, 520, 670);
    window.Caption = "";
    window.Border = WindowBorder::None;
    window.ControlBox = true;
    window.Start = StartPosition::CentreScreen;
    window.Movable = true;
    window.ShowInTaskbar = true;
    window.AlwaysOnTop = false;
    window.KeepCaptionActive = false;
    window.EscCloses = true;
    window.EnterMovesFocus = false;
    window.F1OpensHelp = false;
    window.HelpFile = "";
    window.HelpContext = 0;
    window.BackColour = DefaultColour;
    window.HasBackgroundPicture = false;
    window.BackgroundLayout = PictureLayout::Tile;
    window.HasBackgroundMusic = false;
    window.MusicPlayCount = 0;
    window.HasIcon = false;
    window.HasShape = false;
    window.ClassName = "";
    return window;
}

}  // namespace

// The scroll: minimize and maximize bits in its style, dragged by pressing
// anywhere on it, no controls.
const toolkit::WindowDefinition BackdropWindow = [] {
    WindowDefinition window = ScrollSizedWindow("BackdropWindow");
    window.Caption = "公告";
    window.MaxButton = true;
    window.MinButton = true;
    window.DragByClientArea = true;
    window.Events.Created = OnBackdropCreated;
    window.Events.PositionChanged = OnBackdropPositionChanged;
    return window;
}();

// The layer over the scroll that carries the texts, the close button and
// the display timer.
const toolkit::WindowDefinition ContentWindow = [] {
    WindowDefinition window = ScrollSizedWindow("ContentWindow");
    window.MaxButton = false;
    window.MinButton = false;
    window.DragByClientArea = false;
    window.Controls = ContentControls;
    window.ControlCount = sizeof(ContentControls) / sizeof(ContentControls[0]);
    window.Events.Created = OnContentCreated;
    window.Events.CanClose = OnContentCanClose;
    return window;
}();
