// Handlers that throw: the exception stops at the handler, which then counts
// as one that is not there, and nothing of it reaches the caller of
// SendMessage, DispatchMessage or LoadWindow (in the 32-bit build it would
// end the process there).
#include <gtest/gtest.h>
#include <windows.h>

#include <new>
#include <string>
#include <vector>

#include "toolkit/exception_boundary.h"
#include "toolkit/message_loop.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;
using toolkitsupport::EventLog;
using toolkitsupport::Record;

[[noreturn]] void OutOfMemory(const std::string& event) {
    Record(event);
    throw std::bad_alloc();
}

toolkit::ControlDefinition FailingButton() {
    toolkit::ControlDefinition button = toolkitsupport::ButtonControl("button", RECT{0, 0, 20, 20});
    button.Events.Clicked = [] { OutOfMemory("clicked"); };
    return button;
}

toolkit::ControlDefinition FailingLabel() {
    toolkit::ControlDefinition label = toolkitsupport::LabelControl("label", RECT{30, 0, 80, 20}, "label");
    label.Events.LeftButtonReleased = [](int, int, int) -> bool { OutOfMemory("released"); };
    return label;
}

toolkit::ControlDefinition FailingTimer() {
    toolkit::ControlDefinition timer = toolkitsupport::TimerControl("timer");
    timer.Events.Periodic = [] { OutOfMemory("tick"); };
    return timer;
}

const toolkit::ControlDefinition FailingControls[] = {FailingButton(), FailingLabel(), FailingTimer()};

const WindowDefinition Failing = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Failing");
    window.Controls = FailingControls;
    window.ControlCount = 3;
    window.Events.Created = [] { OutOfMemory("created"); };
    window.Events.PositionChanged = [] { OutOfMemory("position"); };
    window.Events.SizeChanged = [] { OutOfMemory("size"); };
    window.Events.CanClose = []() -> bool { OutOfMemory("can close"); };
    return window;
}();

class FailingHandlers : public ::testing::Test {
protected:
    void SetUp() override {
        EventLog().clear();
        ASSERT_TRUE(toolkit::LoadWindow(Failing));
    }
    void TearDown() override {
        if (toolkit::IsLoaded(Failing)) DestroyWindow(toolkit::WindowHandle(Failing));
    }
};

TEST_F(FailingHandlers, LoadGoesOnThroughEveryEventAndShowsTheWindow) {
    // The load in SetUp raised the three events, each of which threw (the
    // first show adds a move and a size of its own under Wine).
    ASSERT_GE(EventLog().size(), 3u);
    EXPECT_EQ(std::vector<std::string>(EventLog().begin(), EventLog().begin() + 3),
              (std::vector<std::string>{"created", "position", "size"}));
    EXPECT_TRUE(IsWindowVisible(toolkit::WindowHandle(Failing)));
}

TEST_F(FailingHandlers, CloseRequestGoesAheadAsWithoutHandler) {
    EventLog().clear();
    toolkit::SendWindowMessage(Failing, WM_CLOSE, 0, 0);
    EXPECT_FALSE(toolkit::IsLoaded(Failing));
    EXPECT_EQ(EventLog(), std::vector<std::string>{"can close"});
}

TEST_F(FailingHandlers, EndOfSessionIsAgreedTo) {
    EXPECT_EQ(toolkit::SendWindowMessage(Failing, WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(FailingHandlers, TimerGoesOnTicking) {
    EventLog().clear();
    toolkit::SetTimerPeriod(Failing, "timer", 10);
    EXPECT_TRUE(toolkitsupport::PumpUntil([] { return EventLog().size() >= 2; }, 2000));
    EXPECT_EQ(EventLog().front(), "tick");
}

TEST_F(FailingHandlers, ButtonClickEndsAtTheHandler) {
    EventLog().clear();
    const HWND button = toolkit::ControlHandle(Failing, "button");
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(EventLog(), std::vector<std::string>{"clicked"});
    EXPECT_TRUE(toolkit::IsLoaded(Failing));
}

TEST_F(FailingHandlers, ButtonReleaseGoesOnToTheControl) {
    EventLog().clear();
    MSG release{};
    release.hwnd = toolkit::ControlHandle(Failing, "label");
    release.message = WM_LBUTTONUP;
    release.lParam = MAKELPARAM(5, 5);
    EXPECT_FALSE(toolkit::PreDispatch(release));  // not consumed
    EXPECT_EQ(EventLog(), std::vector<std::string>{"released"});
}

TEST_F(FailingHandlers, PositionChangedFromAMoveEndsAtTheHandler) {
    EventLog().clear();
    toolkit::MoveWindowTo(Failing, 7, 9);
    EXPECT_EQ(toolkit::WindowLeft(Failing), 7);
    EXPECT_FALSE(EventLog().empty());
}

TEST(ExceptionBoundary, MessageWhoseHandlingThrowsGetsTheDefaultProcessing) {
    const HWND window = CreateWindowExA(0, "STATIC", "twelve chars", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const auto failing = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { throw std::bad_alloc(); };
    EXPECT_EQ(toolkit::CallProcedure(failing, window, WM_GETTEXTLENGTH, 0, 0), 12);
    DestroyWindow(window);
}

}  // namespace
