// The design-time values of the program's two windows and five controls
// that the handlers and the look depend on, and are easy to get wrong.
#include "forms/forms.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "backdrop/backdrop_handlers.h"
#include "content/closing.h"
#include "content/content_setup.h"
#include "content/default_web_address.h"
#include "content/link.h"

namespace {

using namespace toolkit;

const ControlDefinition* Control(const char* name) {
    for (std::size_t i = 0; i < ContentWindow.ControlCount; ++i) {
        if (std::strcmp(ContentWindow.Controls[i].Name, name) == 0) return &ContentWindow.Controls[i];
    }
    return nullptr;
}

TEST(Forms, ContentControlsInZOrderFromTheTop) {
    const char* expected[] = {LinkLabelName, BodyLabelName, TitleLabelName, CloseButtonName, AutoCloseTimerName};
    ASSERT_EQ(ContentWindow.ControlCount, 5u);
    for (std::size_t i = 0; i < 5; ++i) EXPECT_STREQ(ContentWindow.Controls[i].Name, expected[i]) << i;
    EXPECT_STREQ(LinkLabelName, "标签链接");
    EXPECT_STREQ(AutoCloseTimerName, "时钟1");
    EXPECT_EQ(BackdropWindow.ControlCount, 0u);
}

struct PlacementCase {
    const char* Name;
    ControlKind Kind;
    int Left, Top, Width, Height;
    bool Visible;
};

TEST(Forms, ControlPlacementAndVisibility) {
    const PlacementCase cases[] = {
        {LinkLabelName, ControlKind::Label, 52, 616, 220, 20, false},
        {BodyLabelName, ControlKind::Label, 52, 184, 416, 406, true},  // 406 here, 390 from the settings
        {TitleLabelName, ControlKind::Label, 108, 91, 304, 56, true},
        {CloseButtonName, ControlKind::PictureButton, 438, 54, 43, 16, true},
        {AutoCloseTimerName, ControlKind::Timer, 474, 28, 30, 28, false},
    };
    for (const PlacementCase& c : cases) {
        const ControlDefinition* control = Control(c.Name);
        ASSERT_NE(control, nullptr) << c.Name;
        EXPECT_EQ(control->Kind, c.Kind) << c.Name;
        EXPECT_EQ(control->Common.Left, c.Left) << c.Name;
        EXPECT_EQ(control->Common.Top, c.Top) << c.Name;
        EXPECT_EQ(control->Common.Width, c.Width) << c.Name;
        EXPECT_EQ(control->Common.Height, c.Height) << c.Name;
        EXPECT_EQ(control->Common.Visible, c.Visible) << c.Name;
        EXPECT_FALSE(control->Common.Disabled) << c.Name;
    }
}

TEST(Forms, LabelsAreMagentaPlainAndOnlyTheBodyWraps) {
    for (const char* name : {LinkLabelName, BodyLabelName, TitleLabelName}) {
        const LabelProperties& label = Control(name)->Label;
        EXPECT_EQ(label.BackColour, RGB(255, 0, 255)) << name;
        EXPECT_EQ(label.Border, LabelBorder::None) << name;
        EXPECT_EQ(label.GradientFrameWidth, 8) << name;
        EXPECT_EQ(label.GradientFrameColours[0], 0x808080u) << name;
        EXPECT_EQ(label.GradientFrameColours[1], 0xFFFFFFu) << name;
        EXPECT_EQ(label.GradientFrameColours[2], 0x808080u) << name;
        EXPECT_EQ(label.Font, nullptr) << name;
        EXPECT_EQ(label.TextColour, 0x000000u) << name;
        EXPECT_EQ(label.HAlign, HorizontalAlignment::Left) << name;
        EXPECT_EQ(label.VAlign, VerticalAlignment::Centre) << name;
        EXPECT_EQ(label.WordWrap, std::string(name) == BodyLabelName) << name;
        EXPECT_FALSE(label.HasGradientBackground) << name;
    }
}

TEST(Forms, LinkLabelShowsTheHandAndTheDefaultAddress) {
    const ControlDefinition* link = Control(LinkLabelName);
    EXPECT_EQ(link->Common.Pointer, MousePointer::Hand);
    EXPECT_STREQ(link->Label.Caption, DefaultWebAddress);
    for (const char* name : {BodyLabelName, TitleLabelName, CloseButtonName}) {
        EXPECT_EQ(Control(name)->Common.Pointer, MousePointer::None) << name;
        EXPECT_STREQ(Control(name)->Label.Caption, "") << name;
    }
}

TEST(Forms, TimerStartsStoppedAndButtonCarriesItsThreePictures) {
    EXPECT_EQ(Control(AutoCloseTimerName)->Timer.Period, 0);
    const PictureButtonProperties& button = Control(CloseButtonName)->Button;
    EXPECT_EQ(button.Kind, ButtonKind::Push);
    EXPECT_FALSE(button.Selected);
    for (const PictureData* picture : {&button.Normal, &button.Hover, &button.Pressed}) {
        ASSERT_NE(picture->Bytes, nullptr);
        ASSERT_GT(picture->Size, 4u);
        EXPECT_EQ(picture->Bytes[0], 0xFF);  // a JPEG's start-of-image marker
        EXPECT_EQ(picture->Bytes[1], 0xD8);
    }
    EXPECT_EQ(button.Disabled.Bytes, nullptr);
    EXPECT_EQ(button.TransparentColour, DefaultColour);
}

struct WindowCase {
    const WindowDefinition* Window;
    bool MaxButton, MinButton, DragByClientArea;
};

TEST(Forms, WindowsDifferOnlyWhereTheyShould) {
    const WindowCase cases[] = {
        {&BackdropWindow, true, true, true},
        {&ContentWindow, false, false, false},
    };
    for (const WindowCase& c : cases) {
        const WindowDefinition& window = *c.Window;
        EXPECT_EQ(window.Common.Width, 520) << window.Name;
        EXPECT_EQ(window.Common.Height, 670) << window.Name;
        EXPECT_TRUE(window.Common.Visible) << window.Name;
        EXPECT_EQ(window.Border, WindowBorder::None) << window.Name;
        EXPECT_EQ(window.Start, StartPosition::CentreScreen) << window.Name;
        EXPECT_TRUE(window.ShowInTaskbar) << window.Name;
        EXPECT_TRUE(window.EscCloses) << window.Name;
        EXPECT_FALSE(window.AlwaysOnTop) << window.Name;
        EXPECT_EQ(window.BackColour, DefaultColour) << window.Name;
        EXPECT_EQ(window.MaxButton, c.MaxButton) << window.Name;
        EXPECT_EQ(window.MinButton, c.MinButton) << window.Name;
        EXPECT_EQ(window.DragByClientArea, c.DragByClientArea) << window.Name;
    }
    EXPECT_STREQ(BackdropWindow.Caption, "公告");
    EXPECT_STREQ(ContentWindow.Caption, "");
}

TEST(Forms, EventsAreBoundToTheirHandlers) {
    EXPECT_EQ(BackdropWindow.Events.Created, &OnBackdropCreated);
    EXPECT_EQ(BackdropWindow.Events.PositionChanged, &OnBackdropPositionChanged);
    EXPECT_EQ(BackdropWindow.Events.CanClose, nullptr);  // closes at once
    EXPECT_EQ(ContentWindow.Events.Created, &OnContentCreated);
    EXPECT_EQ(ContentWindow.Events.CanClose, &OnContentCanClose);
    EXPECT_EQ(ContentWindow.Events.PositionChanged, nullptr);
    EXPECT_EQ(Control(LinkLabelName)->Events.LeftButtonReleased, &OnLinkReleased);
    EXPECT_EQ(Control(CloseButtonName)->Events.Clicked, &OnCloseClicked);
    EXPECT_EQ(Control(AutoCloseTimerName)->Events.Periodic, &OnAutoCloseTick);
    EXPECT_EQ(Control(TitleLabelName)->Events.LeftButtonReleased, nullptr);
}

}  // namespace
