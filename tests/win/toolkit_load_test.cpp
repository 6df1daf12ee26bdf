// Loading a window from its definition: the order of its events, its
// controls' creation, z-order and visibility, and loads that nest or whose
// window goes away half-way.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "screen_pixels.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;
using toolkitsupport::EventLog;
using toolkitsupport::Record;

std::string Visibility(const WindowDefinition& window) {
    return IsWindowVisible(toolkit::WindowHandle(window)) ? " shown" : " hidden";
}

// The events up to the point where the loaded window was shown. Showing a
// window that was created hidden for the first time sends it WM_SIZE and
// WM_MOVE once more (Wine does), and those raise their events too; which
// ones come then is the system's affair, not the load's.
std::vector<std::string> BeforeShown(const std::vector<std::string>& log, const std::string& shownSuffix) {
    std::vector<std::string> before;
    for (const std::string& entry : log) {
        if (entry.size() >= shownSuffix.size() &&
            entry.compare(entry.size() - shownSuffix.size(), shownSuffix.size(), shownSuffix) == 0) {
            break;
        }
        before.push_back(entry);
    }
    return before;
}

// ---- one window, every event bound ---------------------------------------------------

WindowDefinition Plain = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Plain");
    window.Events.Created = [] { Record("created" + Visibility(Plain)); };
    window.Events.PositionChanged = [] { Record("position" + Visibility(Plain)); };
    window.Events.SizeChanged = [] { Record("size" + Visibility(Plain)); };
    return window;
}();

TEST(WindowLoading, RaisesCreatedPositionSizeThenShows) {
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&Plain});
    EXPECT_TRUE(toolkit::LoadWindow(Plain));
    EXPECT_EQ(BeforeShown(EventLog(), " shown"),
              (std::vector<std::string>{"created hidden", "position hidden", "size hidden"}));
    EXPECT_TRUE(IsWindowVisible(toolkit::WindowHandle(Plain)));
}

WindowDefinition Hidden = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Hidden");
    window.Common.Visible = false;
    window.Events.Created = [] { Record("created"); };
    return window;
}();

TEST(WindowLoading, WindowNotVisibleByDefinitionStaysHidden) {
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&Hidden});
    EXPECT_TRUE(toolkit::LoadWindow(Hidden));
    EXPECT_EQ(EventLog(), std::vector<std::string>{"created"});
    EXPECT_TRUE(toolkit::IsLoaded(Hidden));
    EXPECT_FALSE(IsWindowVisible(toolkit::WindowHandle(Hidden)));
}

// A move made by the created handler raises position changed at once; the
// moves and sizes of creation itself raise nothing.
WindowDefinition MovedWhileCreated = [] {
    WindowDefinition window = toolkitsupport::TestWindow("MovedWhileCreated");
    window.Events.Created = [] {
        Record("created");
        toolkit::MoveWindowTo(MovedWhileCreated, 33, 44);
        Record("moved");
    };
    window.Events.PositionChanged = [] {
        Record("position " + std::to_string(toolkit::WindowLeft(MovedWhileCreated)) + "," +
               std::to_string(toolkit::WindowTop(MovedWhileCreated)) + Visibility(MovedWhileCreated));
    };
    return window;
}();

TEST(WindowLoading, MoveInsideCreatedRaisesPositionChangedThere) {
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&MovedWhileCreated});
    toolkit::LoadWindow(MovedWhileCreated);
    EXPECT_EQ(BeforeShown(EventLog(), " shown"),
              (std::vector<std::string>{"created", "position 33,44 hidden", "moved", "position 33,44 hidden"}));
}

// ---- a handler that destroys its own window ------------------------------------------

void DestroyLoaded(const WindowDefinition& window) { DestroyWindow(toolkit::WindowHandle(window)); }

struct DestroyCase {
    const char* Name;
    const WindowDefinition* Window;
    std::vector<std::string> Expected;
};

WindowDefinition GoneInCreated = [] {
    WindowDefinition window = toolkitsupport::TestWindow("GoneInCreated");
    window.Events.Created = [] {
        Record("created");
        DestroyLoaded(GoneInCreated);
    };
    window.Events.PositionChanged = [] { Record("position"); };
    window.Events.SizeChanged = [] { Record("size"); };
    return window;
}();

WindowDefinition GoneInPositionChanged = [] {
    WindowDefinition window = toolkitsupport::TestWindow("GoneInPositionChanged");
    window.Events.Created = [] { Record("created"); };
    window.Events.PositionChanged = [] {
        Record("position");
        DestroyLoaded(GoneInPositionChanged);
    };
    window.Events.SizeChanged = [] { Record("size"); };
    return window;
}();

class WindowGoneDuringLoad : public ::testing::TestWithParam<DestroyCase> {};

TEST_P(WindowGoneDuringLoad, RaisesNoLaterEventAndShowsNothing) {
    const DestroyCase& c = GetParam();
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({c.Window});
    EXPECT_FALSE(toolkit::LoadWindow(*c.Window));
    EXPECT_EQ(EventLog(), c.Expected);
    EXPECT_FALSE(toolkit::IsLoaded(*c.Window));
}

INSTANTIATE_TEST_SUITE_P(
    WindowLoading, WindowGoneDuringLoad,
    ::testing::Values(DestroyCase{"InCreated", &GoneInCreated, {"created"}},
                      DestroyCase{"InPositionChanged", &GoneInPositionChanged, {"created", "position"}}),
    [](const ::testing::TestParamInfo<DestroyCase>& info) { return std::string(info.param.Name); });

// ---- nested loads --------------------------------------------------------------------

extern WindowDefinition Outer;

WindowDefinition Inner = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Inner", 120, 80);
    window.Events.Created = [] { Record("inner created"); };
    window.Events.PositionChanged = [] { Record("inner position"); };
    window.Events.SizeChanged = [] { Record("inner size"); };
    return window;
}();

WindowDefinition Outer = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Outer");
    window.Events.Created = [] {
        Record("outer created");
        const bool loaded = toolkit::LoadWindow(Inner, &Outer);
        Record(std::string("inner loaded") + (loaded ? "" : " not") + Visibility(Inner));
    };
    window.Events.PositionChanged = [] { Record("outer position, inner" + Visibility(Inner) + ", outer" + Visibility(Outer)); };
    window.Events.SizeChanged = [] { Record("outer size, outer" + Visibility(Outer)); };
    return window;
}();

TEST(WindowLoading, LoadInsideCreatedRunsToCompletionThere) {
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&Outer, &Inner});
    EXPECT_TRUE(toolkit::LoadWindow(Outer));
    EXPECT_EQ(BeforeShown(EventLog(), "outer shown"),
              (std::vector<std::string>{"outer created", "inner created", "inner position", "inner size",
                                        "inner loaded shown", "outer position, inner shown, outer hidden",
                                        "outer size, outer hidden"}));
    EXPECT_EQ(GetWindow(toolkit::WindowHandle(Inner), GW_OWNER), toolkit::WindowHandle(Outer));
}

// Shown inside its owner's created handler, so before its owner is shown.
extern WindowDefinition Below;

WindowDefinition Above = [] {
    WindowDefinition window = toolkitsupport::PlacedWindow("Above", RECT{150, 150, 250, 210});
    window.BackColour = RGB(0, 255, 0);
    return window;
}();

WindowDefinition Below = [] {
    WindowDefinition window = toolkitsupport::PlacedWindow("Below", RECT{100, 100, 400, 400});
    window.BackColour = RGB(0, 0, 255);
    window.Events.Created = [] { toolkit::LoadWindow(Above, &Below); };
    return window;
}();

TEST(WindowLoading, OwnedWindowLoadedInCreatedStaysAboveItsOwnerOnScreen) {
    toolkitsupport::DestroyAtEnd cleanup({&Below, &Above});
    ASSERT_TRUE(toolkit::LoadWindow(Below));
    toolkitsupport::PumpFor(100);
    EXPECT_EQ(testsupport::ScreenPixel(200, 180), RGB(0, 255, 0));
    EXPECT_EQ(testsupport::ScreenPixel(120, 120), RGB(0, 0, 255));
}

// ---- controls ------------------------------------------------------------------------

// Window texts of the labels this thread creates, in creation order.
std::vector<std::string> CreatedLabels;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char className[64] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (create->lpszName && std::string(className).find("Label") != std::string::npos) {
            CreatedLabels.push_back(create->lpszName);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

const toolkit::ControlDefinition StackedControls[] = {
    toolkitsupport::LabelControl("top", RECT{0, 0, 50, 20}, "top"),
    toolkitsupport::LabelControl("middle", RECT{10, 10, 60, 30}, "middle"),
    toolkitsupport::LabelControl("bottom", RECT{20, 20, 70, 40}, "bottom"),
};

WindowDefinition Stacked = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Stacked");
    window.Controls = StackedControls;
    window.ControlCount = 3;
    return window;
}();

TEST(WindowLoading, CreatesControlsLastToFirstAndStacksFirstOnTop) {
    CreatedLabels.clear();
    toolkitsupport::DestroyAtEnd cleanup({&Stacked});
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    toolkit::LoadWindow(Stacked);
    UnhookWindowsHookEx(hook);

    EXPECT_EQ(CreatedLabels, (std::vector<std::string>{"bottom", "middle", "top"}));
    std::vector<HWND> zOrder;
    for (HWND child = GetWindow(toolkit::WindowHandle(Stacked), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        zOrder.push_back(child);
    }
    EXPECT_EQ(zOrder, (std::vector<HWND>{toolkit::ControlHandle(Stacked, "top"),
                                         toolkit::ControlHandle(Stacked, "middle"),
                                         toolkit::ControlHandle(Stacked, "bottom")}));
}

bool HasVisibleStyle(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

toolkit::ControlDefinition HiddenLabel() {
    toolkit::ControlDefinition label = toolkitsupport::LabelControl("hidden", RECT{0, 30, 50, 50}, "h");
    label.Common.Visible = false;
    return label;
}

const toolkit::ControlDefinition MixedControls[] = {
    toolkitsupport::LabelControl("shown", RECT{0, 0, 50, 20}, "s"),
    HiddenLabel(),
    toolkitsupport::TimerControl("timer"),
};

WindowDefinition Mixed = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Mixed");
    window.Controls = MixedControls;
    window.ControlCount = 3;
    window.Events.Created = [] {
        for (const char* name : {"shown", "hidden", "timer"}) {
            Record(std::string(name) + (HasVisibleStyle(toolkit::ControlHandle(Mixed, name)) ? " visible" : " hidden"));
        }
    };
    return window;
}();

TEST(WindowLoading, ShowsVisibleControlsBeforeCreated) {
    EventLog().clear();
    toolkitsupport::DestroyAtEnd cleanup({&Mixed});
    toolkit::LoadWindow(Mixed);
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"shown visible", "hidden hidden", "timer hidden"}));
    EXPECT_TRUE(toolkit::ControlVisible(Mixed, "shown"));
    EXPECT_FALSE(toolkit::ControlVisible(Mixed, "hidden"));
}

TEST(WindowLoading, UnloadedWindowHasNoHandleAndNoControls) {
    EXPECT_FALSE(toolkit::IsLoaded(Mixed));
    EXPECT_EQ(toolkit::WindowHandle(Mixed), nullptr);
    EXPECT_EQ(toolkit::ControlHandle(Mixed, "shown"), nullptr);
    EXPECT_EQ(toolkit::LabelCaption(Mixed, "shown"), "");
}

}  // namespace
