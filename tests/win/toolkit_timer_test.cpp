// The timer control: its period rules, its ticks, and its end with its window.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "toolkit/timer_window.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;

int Ticks = 0;

toolkit::ControlDefinition CountingTimer(const char* name, int period) {
    toolkit::ControlDefinition timer = toolkitsupport::TimerControl(name, period);
    timer.Events.Periodic = [] { ++Ticks; };
    return timer;
}

const toolkit::ControlDefinition Timers[] = {
    CountingTimer("stopped", 0),
    CountingTimer("running", 20),
    CountingTimer("negative", -50),
};

const WindowDefinition Window = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Timers");
    window.Controls = Timers;
    window.ControlCount = 3;
    return window;
}();

// Whether a WM_TIMER of the timer is waiting. Killing a timer takes its
// waiting WM_TIMER away, so this tells a restarted timer from an untouched one.
bool TickWaiting(const char* timer) {
    MSG message;
    return PeekMessageA(&message, toolkit::ControlHandle(Window, timer), WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
}

class LiveTimer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(toolkit::LoadWindow(Window));
        // Only "running" ticks; the tests start it or stop it as they need.
        toolkit::SetTimerPeriod(Window, "running", 0);
        toolkitsupport::PumpFor(0);
        Ticks = 0;
    }
    void TearDown() override { DestroyWindow(toolkit::WindowHandle(Window)); }
};

TEST_F(LiveTimer, DesignPeriodsAreHeldAndOnlyPositiveOnesRun) {
    EXPECT_EQ(toolkit::TimerPeriod(Window, "stopped"), 0);
    EXPECT_EQ(toolkit::TimerPeriod(Window, "negative"), 0);
    toolkitsupport::PumpFor(100);
    EXPECT_EQ(Ticks, 0);
}

TEST_F(LiveTimer, DesignPeriodAboveZeroStartsAtCreation) {
    DestroyWindow(toolkit::WindowHandle(Window));
    ASSERT_TRUE(toolkit::LoadWindow(Window));
    EXPECT_EQ(toolkit::TimerPeriod(Window, "running"), 20);
    EXPECT_TRUE(toolkitsupport::PumpUntil([] { return Ticks >= 2; }, 2000));
}

TEST_F(LiveTimer, EachTickRaisesThePeriodicEvent) {
    toolkit::SetTimerPeriod(Window, "stopped", 10);
    EXPECT_EQ(toolkit::TimerPeriod(Window, "stopped"), 10);
    EXPECT_TRUE(toolkitsupport::PumpUntil([] { return Ticks >= 3; }, 2000));
}

TEST_F(LiveTimer, NegativePeriodBecomesZeroAndStops) {
    toolkit::SetTimerPeriod(Window, "stopped", 10);
    toolkit::SetTimerPeriod(Window, "stopped", -5);
    EXPECT_EQ(toolkit::TimerPeriod(Window, "stopped"), 0);
    Sleep(30);
    toolkitsupport::PumpFor(50);
    EXPECT_EQ(Ticks, 0);
}

TEST_F(LiveTimer, ZeroStopsTheTimer) {
    toolkit::SetTimerPeriod(Window, "stopped", 10);
    ASSERT_TRUE(toolkitsupport::PumpUntil([] { return Ticks >= 1; }, 2000));
    toolkit::SetTimerPeriod(Window, "stopped", 0);
    Ticks = 0;
    Sleep(30);
    toolkitsupport::PumpFor(50);
    EXPECT_EQ(Ticks, 0);
}

struct RewriteCase {
    const char* Name;
    int Rewritten;    // after 300 ms, once a tick is waiting
    bool StillWaiting;  // false: the timer was killed and started again
};

class RewrittenPeriod : public LiveTimer, public ::testing::WithParamInterface<RewriteCase> {};

TEST_P(RewrittenPeriod, RestartsTheTimerOnlyWhenItChanges) {
    const RewriteCase& c = GetParam();
    toolkit::SetTimerPeriod(Window, "stopped", 300);
    Sleep(350);
    ASSERT_TRUE(TickWaiting("stopped"));
    toolkit::SetTimerPeriod(Window, "stopped", c.Rewritten);
    EXPECT_EQ(TickWaiting("stopped"), c.StillWaiting);
}

INSTANTIATE_TEST_SUITE_P(TimerPeriod, RewrittenPeriod,
                         ::testing::Values(RewriteCase{"SamePeriodLeavesItUntouched", 300, true},
                                           RewriteCase{"OtherPeriodRestartsIt", 299, false},
                                           RewriteCase{"ZeroKillsIt", 0, false}),
                         [](const ::testing::TestParamInfo<RewriteCase>& info) { return std::string(info.param.Name); });

TEST_F(LiveTimer, RunsOnItsHiddenWindowUnderIdentifier1000) {
    toolkit::SetTimerPeriod(Window, "stopped", 10);
    Sleep(30);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, toolkit::ControlHandle(Window, "stopped"), WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, toolkit::TimerIdentifier);
    EXPECT_EQ(toolkit::TimerIdentifier, 1000u);
    EXPECT_FALSE(IsWindowVisible(toolkit::ControlHandle(Window, "stopped")));
    // Showing a timer leaves its window hidden: it has nothing to show.
    toolkit::SetControlVisible(Window, "stopped", true);
    EXPECT_TRUE(toolkit::ControlVisible(Window, "stopped"));
    EXPECT_EQ(GetWindowLongPtrA(toolkit::ControlHandle(Window, "stopped"), GWL_STYLE) & WS_VISIBLE, 0);
}

TEST_F(LiveTimer, NoTickAfterItsWindowIsDestroyed) {
    toolkit::SetTimerPeriod(Window, "stopped", 10);
    Sleep(30);
    DestroyWindow(toolkit::WindowHandle(Window));
    toolkitsupport::PumpFor(60);
    EXPECT_EQ(Ticks, 0);
}

}  // namespace
