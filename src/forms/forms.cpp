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

WindowEvents BackdropEvents() {
    WindowEvents events;
    events.Created = OnBackdropCreated;
    events.PositionChanged = OnBackdropPositionChanged;
    return events;
}

WindowEvents ContentEvents() {
    WindowEvents events;
    events.Created = OnContentCreated;
    events.CanClose = OnContentCanClose;
    return events;
}

}  // namespace

// Both windows: 520 x 670, no border, centred (the design position 50, 50 is
// never used), the program icon, shown in the taskbar unless owned.
const toolkit::WindowDefinition BackdropWindow{
    .Name = "BackdropWindow",
    .Common = Placed(50, 50, 520, 670),
    .Caption = "公告",
    .Border = WindowBorder::None,
    .ControlBox = true,
    .MaxButton = true,
    .MinButton = true,
    .Start = StartPosition::CentreScreen,
    .Movable = true,
    .ShowInTaskbar = true,
    .AlwaysOnTop = false,
    .KeepCaptionActive = false,
    .DragByClientArea = true,
    .EscCloses = true,
    .EnterMovesFocus = false,
    .F1OpensHelp = false,
    .HelpFile = "",
    .HelpContext = 0,
    .BackColour = DefaultColour,
    .HasBackgroundPicture = false,
    .BackgroundLayout = PictureLayout::Tile,
    .HasBackgroundMusic = false,
    .MusicPlayCount = 0,
    .HasIcon = false,
    .HasShape = false,
    .ClassName = "",
    .Controls = nullptr,
    .ControlCount = 0,
    .Events = BackdropEvents(),
};

const toolkit::WindowDefinition ContentWindow{
    .Name = "ContentWindow",
    .Common = Placed(50, 50, 520, 670),
    .Caption = "",
    .Border = WindowBorder::None,
    .ControlBox = true,
    .MaxButton = false,
    .MinButton = false,
    .Start = StartPosition::CentreScreen,
    .Movable = true,
    .ShowInTaskbar = true,
    .AlwaysOnTop = false,
    .KeepCaptionActive = false,
    .DragByClientArea = false,
    .EscCloses = true,
    .EnterMovesFocus = false,
    .F1OpensHelp = false,
    .HelpFile = "",
    .HelpContext = 0,
    .BackColour = DefaultColour,
    .HasBackgroundPicture = false,
    .BackgroundLayout = PictureLayout::Tile,
    .HasBackgroundMusic = false,
    .MusicPlayCount = 0,
    .HasIcon = false,
    .HasShape = false,
    .ClassName = "",
    .Controls = ContentControls,
    .ControlCount = sizeof(ContentControls) / sizeof(ContentControls[0]),
    .Events = ContentEvents(),
};
