// Reading and writing properties of live windows and controls: the ranges
// positions and sizes are held within, moving a window, visibility and the
// window's background colour.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;
using toolkitsupport::EventLog;
using toolkitsupport::Record;

const toolkit::ControlDefinition Controls[] = {
    toolkitsupport::LabelControl("label", RECT{10, 20, 60, 40}, "label"),
    toolkitsupport::TimerControl("timer"),
};

const WindowDefinition Window = [] {
    WindowDefinition window = toolkitsupport::PlacedWindow("Properties", RECT{100, 80, 300, 230});
    window.Controls = Controls;
    window.ControlCount = 2;
    window.Events.PositionChanged = [] {
        Record("position " + std::to_string(toolkit::WindowLeft(Window)) + "," +
               std::to_string(toolkit::WindowTop(Window)));
    };
    return window;
}();

class LiveProperties : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit::LoadWindow(Window));
        toolkitsupport::PumpFor(0);
        EventLog().clear();
    }
    void TearDown() override { DestroyWindow(toolkit::WindowHandle(Window)); }
};

// ---- control geometry ---------------------------------------------------------------------

struct GeometryCase {
    const char* Name;
    void (*Set)(const WindowDefinition&, const char*, int);
    int (*Get)(const WindowDefinition&, const char*);
    int Written;
    int Held;
};

class ControlGeometry : public LiveProperties, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(ControlGeometry, IsHeldWithinItsRange) {
    const GeometryCase& c = GetParam();
    c.Set(Window, "label", c.Written);
    EXPECT_EQ(c.Get(Window, "label"), c.Held);
}

INSTANTIATE_TEST_SUITE_P(
    PropertyAccess, ControlGeometry,
    ::testing::Values(
        GeometryCase{"LeftInRange", toolkit::SetControlLeft, toolkit::ControlLeft, -12, -12},
        GeometryCase{"LeftAtLimit", toolkit::SetControlLeft, toolkit::ControlLeft, 32627, 32627},
        GeometryCase{"LeftJustAbove", toolkit::SetControlLeft, toolkit::ControlLeft, 32628, 32627},
        GeometryCase{"Left32767", toolkit::SetControlLeft, toolkit::ControlLeft, 32767, 32627},
        GeometryCase{"LeftFarBelow", toolkit::SetControlLeft, toolkit::ControlLeft, -2000000000, -32627},
        GeometryCase{"TopJustBelow", toolkit::SetControlTop, toolkit::ControlTop, -32628, -32627},
        GeometryCase{"TopFarAbove", toolkit::SetControlTop, toolkit::ControlTop, 99999, 32627},
        GeometryCase{"WidthNegative", toolkit::SetControlWidth, toolkit::ControlWidth, -1, 0},
        GeometryCase{"WidthZero", toolkit::SetControlWidth, toolkit::ControlWidth, 0, 0},
        GeometryCase{"Width32767", toolkit::SetControlWidth, toolkit::ControlWidth, 32767, 32627},
        GeometryCase{"HeightInRange", toolkit::SetControlHeight, toolkit::ControlHeight, 390, 390},
        GeometryCase{"HeightFarAbove", toolkit::SetControlHeight, toolkit::ControlHeight, 2000000000, 32627}),
    [](const ::testing::TestParamInfo<GeometryCase>& info) { return std::string(info.param.Name); });

RECT PlaceInParent(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

TEST_F(LiveProperties, ControlStartsAtItsDesignRectangleAndFollowsWrites) {
    const HWND label = toolkit::ControlHandle(Window, "label");
    RECT place = PlaceInParent(label);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(toolkit::ControlWidth(Window, "label"), 50);
    toolkit::SetControlLeft(Window, "label", 31);
    toolkit::SetControlTop(Window, "label", 7);
    toolkit::SetControlWidth(Window, "label", 70);
    toolkit::SetControlHeight(Window, "label", 25);
    place = PlaceInParent(label);
    EXPECT_EQ(place.left, 31);
    EXPECT_EQ(place.top, 7);
    EXPECT_EQ(place.right - place.left, 70);
    EXPECT_EQ(place.bottom - place.top, 25);
}

TEST_F(LiveProperties, VisibleShowsWithoutActivatingAndHides) {
    SetForegroundWindow(toolkit::WindowHandle(Window));
    const HWND active = GetActiveWindow();
    toolkit::SetControlVisible(Window, "label", false);
    EXPECT_FALSE(toolkit::ControlVisible(Window, "label"));
    EXPECT_FALSE(IsWindowVisible(toolkit::ControlHandle(Window, "label")));
    toolkit::SetControlVisible(Window, "label", true);
    EXPECT_TRUE(IsWindowVisible(toolkit::ControlHandle(Window, "label")));
    EXPECT_EQ(GetActiveWindow(), active);
}

// ---- moving a window ----------------------------------------------------------------------

TEST_F(LiveProperties, MoveToTheSamePlaceDoesNothing) {
    toolkit::MoveWindowTo(Window, 100, 80);
    EXPECT_TRUE(EventLog().empty());
}

TEST_F(LiveProperties, MoveKeepsTheSizeAndRaisesPositionChanged) {
    toolkit::MoveWindowTo(Window, 140, 60);
    EXPECT_EQ(EventLog(), std::vector<std::string>{"position 140,60"});
    EXPECT_EQ(toolkit::WindowWidth(Window), 200);
    EXPECT_EQ(toolkit::WindowHeight(Window), 150);
}

// ---- background colour --------------------------------------------------------------------

COLORREF ErasedTo(const WindowDefinition& window) {
    toolkitsupport::Canvas image(8, 8, RGB(1, 2, 3));
    SendMessageA(toolkit::WindowHandle(window), WM_ERASEBKGND, reinterpret_cast<WPARAM>(image.Dc()), 0);
    return image.Pixel(4, 4);
}

TEST_F(LiveProperties, BackgroundIsButtonFaceByDefaultAndFollowsWrites) {
    EXPECT_EQ(toolkit::WindowBackColour(Window), toolkit::DefaultColour);
    EXPECT_EQ(ErasedTo(Window), GetSysColor(COLOR_BTNFACE));
    toolkit::SetWindowBackColour(Window, RGB(255, 0, 255));
    EXPECT_EQ(toolkit::WindowBackColour(Window), RGB(255, 0, 255));
    EXPECT_EQ(ErasedTo(Window), RGB(255, 0, 255));
}

// ---- a window that is not loaded -----------------------------------------------------------

TEST(PropertyAccess, WindowNotLoadedReadsAsNothingAndIgnoresWrites) {
    toolkit::MoveWindowTo(Window, 1, 1);
    toolkit::SetControlLeft(Window, "label", 5);
    toolkit::SetTimerPeriod(Window, "timer", 100);
    EXPECT_EQ(toolkit::WindowLeft(Window), 0);
    EXPECT_EQ(toolkit::WindowWidth(Window), 0);
    EXPECT_EQ(toolkit::ControlLeft(Window, "label"), 0);
    EXPECT_EQ(toolkit::TimerPeriod(Window, "timer"), 0);
    EXPECT_EQ(toolkit::WindowCaption(Window), "");
    EXPECT_FALSE(toolkit::ControlVisible(Window, "label"));
}

TEST_F(LiveProperties, PropertiesOfAnotherKindReadAsNothing) {
    toolkit::SetTimerPeriod(Window, "label", 100);
    toolkit::SetLabelCaption(Window, "timer", "x");
    EXPECT_EQ(toolkit::TimerPeriod(Window, "label"), 0);
    EXPECT_EQ(toolkit::LabelCaption(Window, "timer"), "");
}

}  // namespace
