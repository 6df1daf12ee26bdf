// The quit rule: the message loop ends when the last toolkit window is gone,
// and only a running loop is ended.
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

extern const WindowDefinition Owner;

const WindowDefinition Owned = toolkitsupport::TestWindow("Owned", 100, 80);

const WindowDefinition Owner = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Owner");
    window.Events.Created = [] { toolkit::LoadWindow(Owned, &Owner); };
    return window;
}();

// What the loop does on each of its timer steps, set by each test.
std::vector<void (*)()> Steps;
std::size_t NextStep = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (NextStep < Steps.size()) Steps[NextStep++]();
}

// Ends a loop that the rule failed to end, so that a broken rule fails the
// test instead of hanging it.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    Record("watchdog ended the loop");
    PostQuitMessage(1);
}

std::string Loaded(const WindowDefinition& window) {
    return std::string(window.Name) + (toolkit::IsLoaded(window) ? " loaded" : " gone");
}

// Runs the loop with `steps` run one per 30 ms from inside it.
void RunLoopWith(std::vector<void (*)()> steps) {
    Steps = std::move(steps);
    NextStep = 0;
    const UINT_PTR stepper = SetTimer(nullptr, 0, 30, RunStep);
    const UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, Watchdog);
    toolkit::RunMessageLoop();
    Record("loop ended");
    KillTimer(nullptr, stepper);
    KillTimer(nullptr, watchdog);
}

class QuitRule : public ::testing::Test {
protected:
    void SetUp() override {
        EventLog().clear();
        ASSERT_TRUE(toolkit::LoadWindow(Owner));
    }
    void TearDown() override {
        if (HWND owner = toolkit::WindowHandle(Owner)) DestroyWindow(owner);
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
};

TEST_F(QuitRule, OwnedWindowDestroyedAloneLeavesTheLoopRunning) {
    RunLoopWith({
        [] { DestroyWindow(toolkit::WindowHandle(Owned)); },
        [] {
            Record("still running, " + Loaded(Owned) + ", " + Loaded(Owner));
            DestroyWindow(toolkit::WindowHandle(Owner));
        },
    });
    EXPECT_EQ(EventLog(), (std::vector<std::string>{"still running, Owned gone, Owner loaded", "loop ended"}));
}

TEST_F(QuitRule, DestroyingTheOwnerTakesTheOwnedWindowAndEndsTheLoop) {
    RunLoopWith({[] { DestroyWindow(toolkit::WindowHandle(Owner)); }});
    EXPECT_EQ(EventLog(), std::vector<std::string>{"loop ended"});
    EXPECT_FALSE(toolkit::IsLoaded(Owned));
    EXPECT_FALSE(toolkit::AnyWindowExists());
}

TEST_F(QuitRule, DestructionRequestedBeforeTheLoopEndsItOnceDelivered) {
    toolkit::RequestDestroy(Owner);
    RunLoopWith({});
    EXPECT_EQ(EventLog(), std::vector<std::string>{"loop ended"});
    EXPECT_FALSE(toolkit::AnyWindowExists());
}

TEST_F(QuitRule, WindowDestroyedBeforeTheLoopStartsPostsNothing) {
    DestroyWindow(toolkit::WindowHandle(Owner));
    EXPECT_FALSE(toolkit::AnyWindowExists());
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    // With no window left the loop is not entered at all.
    RunLoopWith({});
    EXPECT_EQ(EventLog(), std::vector<std::string>{"loop ended"});
}

TEST_F(QuitRule, WindowsOfOtherClassesDoNotCount) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    RunLoopWith({[] { DestroyWindow(toolkit::WindowHandle(Owner)); }});
    EXPECT_EQ(EventLog(), std::vector<std::string>{"loop ended"});
    DestroyWindow(other);
}

}  // namespace
