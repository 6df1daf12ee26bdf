// Keyboard and mouse handling at window level, applied to queued messages
// before they are dispatched: Esc closes, drag by client area, a control's
// left-button release, and the pointer shown over a control.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "toolkit/message_loop.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;
using toolkitsupport::EventLog;
using toolkitsupport::Record;

bool ReleaseAnswer = true;

toolkit::ControlDefinition LinkLabel() {
    toolkit::ControlDefinition label = toolkitsupport::LabelControl("link", RECT{10, 10, 110, 30}, "link");
    label.Common.Pointer = toolkit::MousePointer::Hand;
    label.Events.LeftButtonReleased = [](int x, int y, int keys) {
        Record("released " + std::to_string(x) + "," + std::to_string(y) + " keys " + std::to_string(keys));
        return ReleaseAnswer;
    };
    return label;
}

const toolkit::ControlDefinition Controls[] = {
    LinkLabel(),
    toolkitsupport::LabelControl("plain", RECT{10, 40, 110, 60}, "plain"),
};

// Like the program's backdrop (drag and Esc), but answering can-be-closed
// with false so that it stays for the next message.
const WindowDefinition Escapable = [] {
    WindowDefinition window = toolkitsupport::PlacedWindow("Escapable", RECT{200, 100, 400, 250});
    window.EscCloses = true;
    window.DragByClientArea = true;
    window.Controls = Controls;
    window.ControlCount = 2;
    window.Events.CanClose = [] {
        Record("can close");
        return false;
    };
    return window;
}();

const WindowDefinition Stubborn = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Stubborn");
    window.Events.CanClose = [] {
        Record("can close");
        return false;
    };
    return window;
}();

class WindowInput : public ::testing::Test {
protected:
    void SetUp() override {
        EventLog().clear();
        ASSERT_TRUE(toolkit::LoadWindow(Escapable));
        ASSERT_TRUE(toolkit::LoadWindow(Stubborn));
        toolkitsupport::PumpFor(0);
    }
    void TearDown() override {
        DestroyWindow(toolkit::WindowHandle(Escapable));
        DestroyWindow(toolkit::WindowHandle(Stubborn));
        toolkit::ProcessPendingMessages();
    }
};

// A queued message as GetMessage would give it to the toolkit.
MSG Queued(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG queued{};
    queued.hwnd = window;
    queued.message = message;
    queued.wParam = wParam;
    queued.lParam = lParam;
    return queued;
}

// ---- Esc ----------------------------------------------------------------------------------

enum class Target { Window, Control, OtherWindow };

HWND TargetHandle(Target target) {
    switch (target) {
    case Target::Window: return toolkit::WindowHandle(Escapable);
    case Target::Control: return toolkit::ControlHandle(Escapable, "plain");
    case Target::OtherWindow: return toolkit::WindowHandle(Stubborn);
    }
    return nullptr;
}

constexpr LPARAM AltContext = 1 << 29;  // lParam bit of a key pressed with Alt

struct EscapeCase {
    const char* Name;
    Target To;
    UINT Message;
    WPARAM Key;
    int Keys;  // held: 1 Ctrl, 2 Shift, 4 Alt
    bool Closes;
};

class EscapeKey : public WindowInput, public ::testing::WithParamInterface<EscapeCase> {};

TEST_P(EscapeKey, ClosesTheWindowAndIsSwallowedOnlyWithoutModifiers) {
    const EscapeCase& c = GetParam();
    const toolkitsupport::HeldKeys held(c.Keys);
    const bool consumed =
        toolkit::PreDispatch(Queued(TargetHandle(c.To), c.Message, c.Key, (c.Keys & 4) ? AltContext | 1 : 1));
    EXPECT_EQ(consumed, c.Closes);
    EXPECT_EQ(EventLog(), c.Closes ? std::vector<std::string>{"can close"} : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    EscCloses, EscapeKey,
    ::testing::Values(EscapeCase{"KeyDownToWindow", Target::Window, WM_KEYDOWN, VK_ESCAPE, 0, true},
                      EscapeCase{"SysKeyDownToWindow", Target::Window, WM_SYSKEYDOWN, VK_ESCAPE, 0, true},
                      EscapeCase{"KeyDownToControl", Target::Control, WM_KEYDOWN, VK_ESCAPE, 0, true},
                      EscapeCase{"SysKeyDownToControl", Target::Control, WM_SYSKEYDOWN, VK_ESCAPE, 0, true},
                      EscapeCase{"WithCtrl", Target::Window, WM_KEYDOWN, VK_ESCAPE, 1, false},
                      EscapeCase{"WithShift", Target::Control, WM_KEYDOWN, VK_ESCAPE, 2, false},
                      EscapeCase{"WithAlt", Target::Window, WM_SYSKEYDOWN, VK_ESCAPE, 4, false},
                      EscapeCase{"WithAllThree", Target::Window, WM_SYSKEYDOWN, VK_ESCAPE, 7, false},
                      EscapeCase{"OtherKey", Target::Window, WM_KEYDOWN, VK_RETURN, 0, false},
                      EscapeCase{"KeyUp", Target::Window, WM_KEYUP, VK_ESCAPE, 0, false},
                      EscapeCase{"WindowWithoutEscCloses", Target::OtherWindow, WM_KEYDOWN, VK_ESCAPE, 0, false}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return std::string(info.param.Name); });

TEST(EscCloses, WindowWithoutCanCloseHandlerIsDestroyedAtOnce) {
    static WindowDefinition window = toolkitsupport::TestWindow("BackdropLike");
    window.EscCloses = true;
    toolkitsupport::DestroyAtEnd cleanup({&window});
    ASSERT_TRUE(toolkit::LoadWindow(window));
    EXPECT_TRUE(toolkit::PreDispatch(Queued(toolkit::WindowHandle(window), WM_KEYDOWN, VK_ESCAPE, 1)));
    EXPECT_FALSE(toolkit::IsLoaded(window));
}

// ---- drag by client area ----------------------------------------------------------------------

struct DragCase {
    const char* Name;
    Target To;
    bool Drags;
};

class ClientAreaPress : public WindowInput, public ::testing::WithParamInterface<DragCase> {};

TEST_P(ClientAreaPress, PostsACaptionPressOnlyToAWindowThatDrags) {
    const DragCase& c = GetParam();
    const HWND target = TargetHandle(c.To);
    // The press itself still goes on to the window.
    EXPECT_FALSE(toolkit::PreDispatch(Queued(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40))));
    // Taken off the queue unprocessed: processing it would start a real drag.
    MSG posted;
    const bool found = PeekMessageA(&posted, nullptr, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) != FALSE;
    ASSERT_EQ(found, c.Drags);
    if (!found) return;
    EXPECT_EQ(posted.hwnd, toolkit::WindowHandle(Escapable));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
    // In screen coordinates: the window's client area starts at (200, 100).
    EXPECT_EQ(static_cast<short>(LOWORD(posted.lParam)), 230);
    EXPECT_EQ(static_cast<short>(HIWORD(posted.lParam)), 140);
}

INSTANTIATE_TEST_SUITE_P(DragByClientArea, ClientAreaPress,
                         ::testing::Values(DragCase{"WindowThatDrags", Target::Window, true},
                                           DragCase{"ControlOfAWindowThatDrags", Target::Control, false},
                                           DragCase{"WindowThatDoesNotDrag", Target::OtherWindow, false}),
                         [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.Name); });

// ---- a control's left-button release --------------------------------------------------------

struct ReleaseCase {
    const char* Name;
    int Keys;
    bool Answer;
    const char* Expected;
};

class ControlRelease : public WindowInput, public ::testing::WithParamInterface<ReleaseCase> {};

TEST_P(ControlRelease, RaisesItsEventAndAFalseAnswerConsumesIt) {
    const ReleaseCase& c = GetParam();
    const toolkitsupport::HeldKeys held(c.Keys);
    ReleaseAnswer = c.Answer;
    const bool consumed =
        toolkit::PreDispatch(Queued(toolkit::ControlHandle(Escapable, "link"), WM_LBUTTONUP, 0, MAKELPARAM(17, 9)));
    EXPECT_EQ(consumed, !c.Answer);
    EXPECT_EQ(EventLog(), std::vector<std::string>{c.Expected});
}

INSTANTIATE_TEST_SUITE_P(
    ControlMouseEvents, ControlRelease,
    ::testing::Values(ReleaseCase{"NoKeysAnsweredFalse", 0, false, "released 17,9 keys 0"},
                      ReleaseCase{"NoKeysAnsweredTrue", 0, true, "released 17,9 keys 0"},
                      ReleaseCase{"Ctrl", 1, false, "released 17,9 keys 1"},
                      ReleaseCase{"Shift", 2, false, "released 17,9 keys 2"},
                      ReleaseCase{"Alt", 4, false, "released 17,9 keys 4"},
                      ReleaseCase{"AllThree", 7, true, "released 17,9 keys 7"}),
    [](const ::testing::TestParamInfo<ReleaseCase>& info) { return std::string(info.param.Name); });

TEST_F(WindowInput, ReleaseOverTheWindowOrAControlWithoutHandlerRaisesNothing) {
    EXPECT_FALSE(toolkit::PreDispatch(Queued(toolkit::WindowHandle(Escapable), WM_LBUTTONUP, 0, MAKELPARAM(5, 5))));
    EXPECT_FALSE(
        toolkit::PreDispatch(Queued(toolkit::ControlHandle(Escapable, "plain"), WM_LBUTTONUP, 0, MAKELPARAM(5, 5))));
    EXPECT_TRUE(EventLog().empty());
}

TEST_F(WindowInput, PendingMessagesGetTheSameHandling) {
    ReleaseAnswer = false;
    const HWND link = toolkit::ControlHandle(Escapable, "link");
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    toolkit::ProcessPendingMessages();
    EXPECT_EQ(EventLog(), std::vector<std::string>{"released 3,4 keys 0"});
}

TEST(PreDispatch, LeavesMessagesOfOtherWindowsAlone) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(toolkit::PreDispatch(Queued(other, WM_KEYDOWN, VK_ESCAPE, 1)));
    EXPECT_FALSE(toolkit::PreDispatch(Queued(nullptr, WM_KEYDOWN, VK_ESCAPE, 1)));
    EXPECT_TRUE(IsWindow(other));
    DestroyWindow(other);
}

// ---- the pointer --------------------------------------------------------------------------------

HCURSOR CursorAfterSetCursor(HWND window, WORD hitTest) {
    SetCursor(nullptr);
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hitTest, WM_MOUSEMOVE));
    return GetCursor();
}

TEST_F(WindowInput, ControlWithTheHandPointerShowsTheProgramsOwnHand) {
    const HCURSOR own = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(HAND_POINTER_CURSOR));
    ASSERT_NE(own, nullptr) << "the test program carries the program's resources";
    EXPECT_EQ(CursorAfterSetCursor(toolkit::ControlHandle(Escapable, "link"), HTCLIENT), own);
    EXPECT_NE(own, LoadCursorA(nullptr, IDC_HAND));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(own, &info));
    EXPECT_EQ(info.xHotspot, 6u);
    EXPECT_EQ(info.yHotspot, 1u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(WindowInput, ControlWithoutPointerShowsTheArrow) {
    const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_EQ(CursorAfterSetCursor(toolkit::ControlHandle(Escapable, "plain"), HTCLIENT), arrow);
    EXPECT_EQ(CursorAfterSetCursor(toolkit::WindowHandle(Escapable), HTCLIENT), arrow);
}

}  // namespace
