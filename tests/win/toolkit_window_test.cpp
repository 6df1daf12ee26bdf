// Creating a top-level window from its definition: the styles it resolves
// to, where it starts, and the size it keeps.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>
#include <utility>

#include "toolkit/message_loop.h"
#include "toolkit/toolkit.h"
#include "toolkit/window_styles.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;

// Like the program's backdrop: ownerless, no border, both window buttons on.
WindowDefinition BackdropLike() {
    WindowDefinition window = toolkitsupport::TestWindow("BackdropLike", 520, 670);
    window.Caption = "公告";
    window.MaxButton = true;
    window.MinButton = true;
    return window;
}

// Like the program's content window: owned, no border, no window buttons.
WindowDefinition ContentLike() { return toolkitsupport::TestWindow("ContentLike", 520, 670); }

struct StyleCase {
    const char* Name;
    WindowDefinition Window;
    bool Owned;
    DWORD Style;
    DWORD ExStyle;
};

WindowDefinition WithBorder(toolkit::WindowBorder border, const char* caption, bool controlBox) {
    WindowDefinition window = toolkitsupport::TestWindow("Bordered");
    window.Border = border;
    window.Caption = caption;
    window.ControlBox = controlBox;
    return window;
}

WindowDefinition OnTop() {
    WindowDefinition window = toolkitsupport::TestWindow("OnTop");
    window.AlwaysOnTop = true;
    return window;
}

class ResolvedStyles : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ResolvedStyles, AreExactlyThoseOfTheDefinition) {
    const StyleCase& c = GetParam();
    const toolkit::WindowStyles styles = toolkit::ResolveWindowStyles(c.Window, c.Owned);
    EXPECT_EQ(styles.Style, c.Style);
    EXPECT_EQ(styles.ExStyle, c.ExStyle);
}

INSTANTIATE_TEST_SUITE_P(
    WindowCreation, ResolvedStyles,
    ::testing::Values(
        StyleCase{"Ownerless", BackdropLike(), false, WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
        StyleCase{"Owned", ContentLike(), true, WS_POPUP | WS_CLIPCHILDREN, 0},
        StyleCase{"OwnedKeepsWindowButtons", BackdropLike(), true,
                  WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
        StyleCase{"NoBorderNoCaptionBarWhateverTheControlBox",
                  WithBorder(toolkit::WindowBorder::None, "caption", true), false, WS_CLIPCHILDREN, 0},
        StyleCase{"SingleBorderWithControlBox", WithBorder(toolkit::WindowBorder::Single, "", true), false,
                  WS_CLIPCHILDREN | WS_BORDER | WS_CAPTION | WS_SYSMENU, 0},
        StyleCase{"SingleBorderCaptionOnly", WithBorder(toolkit::WindowBorder::Single, "caption", false), false,
                  WS_CLIPCHILDREN | WS_BORDER | WS_CAPTION, 0},
        StyleCase{"SingleBorderNothingToShow", WithBorder(toolkit::WindowBorder::Single, "", false), false,
                  WS_CLIPCHILDREN | WS_BORDER, 0},
        StyleCase{"AlwaysOnTop", OnTop(), false, WS_CLIPCHILDREN, WS_EX_TOPMOST}),
    [](const ::testing::TestParamInfo<StyleCase>& info) { return std::string(info.param.Name); });

// ---- live windows -----------------------------------------------------------------------

DWORD StyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)); }
DWORD ExStyleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)); }

// Windows forces WS_CLIPSIBLINGS on every overlapped window, and showing
// adds WS_VISIBLE: neither is the definition's.
constexpr DWORD SystemBits = WS_CLIPSIBLINGS | WS_VISIBLE;

const WindowDefinition LiveBackdrop = BackdropLike();
const WindowDefinition LiveContent = ContentLike();

TEST(WindowCreation, LoadedWindowsHaveTheirStylesAndNoCaptionBar) {
    toolkitsupport::DestroyAtEnd cleanup({&LiveContent, &LiveBackdrop});
    ASSERT_TRUE(toolkit::LoadWindow(LiveBackdrop));
    ASSERT_TRUE(toolkit::LoadWindow(LiveContent, &LiveBackdrop));
    const HWND backdrop = toolkit::WindowHandle(LiveBackdrop);
    const HWND content = toolkit::WindowHandle(LiveContent);

    EXPECT_EQ(StyleOf(backdrop) & ~SystemBits, static_cast<DWORD>(WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(ExStyleOf(backdrop), 0u);
    EXPECT_EQ(StyleOf(content) & ~SystemBits, static_cast<DWORD>(WS_POPUP | WS_CLIPCHILDREN));
    EXPECT_EQ(ExStyleOf(content), 0u);
    EXPECT_EQ(GetWindow(content, GW_OWNER), backdrop);
    EXPECT_EQ(GetWindow(backdrop, GW_OWNER), nullptr);

    // Without a caption bar or frame the client area is the whole window.
    RECT client;
    GetClientRect(backdrop, &client);
    EXPECT_EQ(client.right, 520);
    EXPECT_EQ(client.bottom, 670);
    EXPECT_EQ(toolkit::WindowCaption(LiveBackdrop), "公告");
}

struct SizeCase {
    const char* Name;
    int Width;
    int Height;
};

class CentredWindow : public ::testing::TestWithParam<SizeCase> {};

TEST_P(CentredWindow, StartsInTheMiddleOfThePrimaryScreenTruncated) {
    const SizeCase& c = GetParam();
    static WindowDefinition window;
    window = toolkitsupport::TestWindow("Centred", c.Width, c.Height);
    window.Common.Left = 50;
    window.Common.Top = 50;
    toolkitsupport::DestroyAtEnd cleanup({&window});
    ASSERT_TRUE(toolkit::LoadWindow(window));

    const double screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const double screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(toolkit::WindowLeft(window), static_cast<int>(std::trunc((screenWidth - c.Width) / 2)));
    EXPECT_EQ(toolkit::WindowTop(window), static_cast<int>(std::trunc((screenHeight - c.Height) / 2)));
    // The design size, even where the system would have a captioned window
    // larger than that.
    EXPECT_EQ(toolkit::WindowWidth(window), c.Width);
    EXPECT_EQ(toolkit::WindowHeight(window), c.Height);
}

INSTANTIATE_TEST_SUITE_P(WindowCreation, CentredWindow,
                         ::testing::Values(SizeCase{"EvenDifference", 520, 670}, SizeCase{"OddDifference", 521, 671},
                                           SizeCase{"Tiny", 9, 7},
                                           // Wider and taller than the screen: -1.5 is truncated to -1.
                                           SizeCase{"LargerThanScreen", 1027, 771}),
                         [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.Name); });

TEST(WindowCreation, ManualStartPositionUsesDesignLeftAndTop) {
    static const WindowDefinition window = toolkitsupport::PlacedWindow("Manual", RECT{37, 21, 137, 81});
    toolkitsupport::DestroyAtEnd cleanup({&window});
    ASSERT_TRUE(toolkit::LoadWindow(window));
    EXPECT_EQ(toolkit::WindowLeft(window), 37);
    EXPECT_EQ(toolkit::WindowTop(window), 21);
}

TEST(WindowCreation, CaptionIsTheWindowText) {
    static const WindowDefinition window = BackdropLike();
    toolkitsupport::DestroyAtEnd cleanup({&window});
    ASSERT_TRUE(toolkit::LoadWindow(window));
    toolkit::SetWindowCaption(window, "重要通知");
    char text[32] = "";
    GetWindowTextA(toolkit::WindowHandle(window), text, sizeof text);
    EXPECT_STREQ(text, "重要通知");
    EXPECT_EQ(toolkit::WindowCaption(window), "重要通知");
}

TEST(WindowCreation, WindowOffTheTaskbarIsOwnedByAHiddenToolWindowThatGoesWithIt) {
    static const WindowDefinition window = [] {
        WindowDefinition w = BackdropLike();
        w.ShowInTaskbar = false;
        return w;
    }();
    ASSERT_TRUE(toolkit::LoadWindow(window));
    const HWND handle = toolkit::WindowHandle(window);
    const HWND owner = GetWindow(handle, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(GetWindowLongPtrA(owner, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_FALSE(IsWindowVisible(owner));
    // Still an overlapped window: the hidden owner is not an owner given by a load.
    EXPECT_EQ(StyleOf(handle) & WS_POPUP, 0u);
    DestroyWindow(handle);
    toolkit::ProcessPendingMessages();
    EXPECT_FALSE(IsWindow(owner));
}

// The test program carries the program's resources, DEFAULT_ICON included.
TEST(WindowCreation, ProgramIconIsSetBigAndSmall) {
    static const WindowDefinition window = ContentLike();
    toolkitsupport::DestroyAtEnd cleanup({&window});
    ASSERT_TRUE(toolkit::LoadWindow(window));
    for (const auto& expected : {std::pair<WPARAM, DWORD>{ICON_BIG, 32}, std::pair<WPARAM, DWORD>{ICON_SMALL, 16}}) {
        const auto icon = reinterpret_cast<HICON>(SendMessageA(toolkit::WindowHandle(window), WM_GETICON, expected.first, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour{};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(static_cast<DWORD>(colour.bmWidth), expected.second);
        EXPECT_EQ(static_cast<DWORD>(colour.bmHeight), expected.second);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

}  // namespace
