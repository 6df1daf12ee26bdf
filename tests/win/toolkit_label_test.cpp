// Live labels: border styles and the style bits they stand for, and writing
// the properties a label paints with.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "toolkit/mouse_pointer.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;

constexpr COLORREF Magenta = 0xFF00FF;

toolkit::ControlDefinition MagentaLabel(const char* name, toolkit::LabelBorder border) {
    toolkit::ControlDefinition label = toolkitsupport::LabelControl(name, RECT{10, 10, 130, 50});
    label.Label.BackColour = Magenta;
    label.Label.Border = border;
    return label;
}

const toolkit::ControlDefinition Labels[] = {
    MagentaLabel("plain", toolkit::LabelBorder::None),
    MagentaLabel("lined", toolkit::LabelBorder::SingleLine),
};

const WindowDefinition Window = [] {
    WindowDefinition window = toolkitsupport::TestWindow("Labels");
    window.Controls = Labels;
    window.ControlCount = 2;
    return window;
}();

class LiveLabel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(toolkit::LoadWindow(Window)); }
    void TearDown() override { DestroyWindow(toolkit::WindowHandle(Window)); }

    static HWND Handle(const char* name) { return toolkit::ControlHandle(Window, name); }

    // The label as it paints itself (WM_PRINTCLIENT goes through the same
    // painting as WM_PAINT).
    static void PaintInto(const toolkitsupport::Canvas& image, const char* name) {
        SendMessageA(Handle(name), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    }
};

// ---- border styles -------------------------------------------------------------------------

constexpr DWORD ExBorderBits = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;

struct BorderCase {
    const char* Name;
    int Written;
    int Held;
    DWORD ExStyle;
    DWORD Style;
};

class LabelBorderStyles : public LiveLabel, public ::testing::WithParamInterface<BorderCase> {};

TEST_P(LabelBorderStyles, SetExactlyTheStyleBitsOfTheHeldValue) {
    const BorderCase& c = GetParam();
    // From each of the two labels' styles, so that stale bits would show.
    for (int before : {4, 5}) {
        toolkit::SetLabelBorder(Window, "plain", before);
        toolkit::SetLabelBorder(Window, "plain", c.Written);
        SCOPED_TRACE("after border " + std::to_string(before));
        EXPECT_EQ(toolkit::LabelBorderStyle(Window, "plain"), c.Held);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(Handle("plain"), GWL_EXSTYLE)) & ExBorderBits, c.ExStyle);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrA(Handle("plain"), GWL_STYLE)) & WS_BORDER, c.Style);
    }
}

INSTANTIATE_TEST_SUITE_P(
    LabelBorder, LabelBorderStyles,
    ::testing::Values(BorderCase{"None", 0, 0, 0, 0}, BorderCase{"Sunken", 1, 1, WS_EX_CLIENTEDGE, 0},
                      BorderCase{"Raised", 2, 2, WS_EX_DLGMODALFRAME, 0},
                      BorderCase{"ThinSunken", 3, 3, WS_EX_STATICEDGE, 0},
                      BorderCase{"Framed", 4, 4, WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0},
                      BorderCase{"SingleLine", 5, 5, 0, WS_BORDER}, BorderCase{"Gradient", 6, 6, 0, 0},
                      BorderCase{"AboveSixIsSix", 7, 6, 0, 0}, BorderCase{"FarAboveIsSix", 1000, 6, 0, 0},
                      BorderCase{"NegativeIsNone", -1, 0, 0, 0}),
    [](const ::testing::TestParamInfo<BorderCase>& info) { return std::string(info.param.Name); });

TEST_F(LiveLabel, DesignBorderStyleIsAppliedAtCreation) {
    EXPECT_EQ(toolkit::LabelBorderStyle(Window, "lined"), 5);
    EXPECT_NE(GetWindowLongPtrA(Handle("lined"), GWL_STYLE) & WS_BORDER, 0);
}

TEST_F(LiveLabel, BorderChangeRedrawsTheFrameAtOnce) {
    RECT client;
    GetClientRect(Handle("plain"), &client);
    EXPECT_EQ(client.right, 120);
    // The system recomputes the client area only on a frame-changed update.
    toolkit::SetLabelBorder(Window, "plain", 5);
    GetClientRect(Handle("plain"), &client);
    EXPECT_LT(client.right, 120);
    toolkit::SetLabelBorder(Window, "plain", 0);
    GetClientRect(Handle("plain"), &client);
    EXPECT_EQ(client.right, 120);
}

// ---- painting properties ------------------------------------------------------------------

TEST_F(LiveLabel, WrittenCaptionAndColourArePainted) {
    const toolkitsupport::Canvas before(120, 40, 0);
    PaintInto(before, "plain");
    EXPECT_EQ(before.Count(Magenta), 120 * 40);

    toolkit::SetLabelCaption(Window, "plain", "公告 Notice");
    toolkit::SetLabelTextColour(Window, "plain", RGB(0, 128, 0));
    const toolkitsupport::Canvas after(120, 40, 0);
    PaintInto(after, "plain");
    EXPECT_GT(after.Count(RGB(0, 128, 0)), 0);
    EXPECT_EQ(toolkit::LabelCaption(Window, "plain"), "公告 Notice");
    EXPECT_EQ(toolkit::LabelTextColour(Window, "plain"), RGB(0, 128, 0));
}

TEST_F(LiveLabel, PaintsTheTextItWasLastGivenHoweverItWasGiven) {
    // The label paints from its own copy of its text: every way of setting
    // the window text must reach that copy.
    const auto inkWidth = [] {
        const toolkitsupport::Canvas image(120, 40, 0);
        PaintInto(image, "plain");
        const RECT ink = image.InkBounds(Magenta);
        return ink.right > ink.left ? ink.right - ink.left : 0;
    };
    SetWindowTextA(Handle("plain"), "WWWWWW");
    const LONG six = inkWidth();
    toolkit::SetLabelCaption(Window, "plain", "W");
    const LONG one = inkWidth();
    SendMessageA(Handle("plain"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWW"));
    const LONG three = inkWidth();
    SendMessageA(Handle("plain"), WM_SETTEXT, 0, 0);
    const LONG none = inkWidth();

    EXPECT_GT(one, 0);
    EXPECT_GT(three, one);
    EXPECT_GT(six, three);
    EXPECT_EQ(none, 0);
}

TEST_F(LiveLabel, WrittenBorderSixPaintsTheGradientFrame) {
    toolkit::SetLabelBorder(Window, "plain", 6);
    const toolkitsupport::Canvas image(120, 40, 0);
    PaintInto(image, "plain");
    EXPECT_EQ(image.Pixel(0, 20), RGB(0x80, 0x80, 0x80));
    EXPECT_EQ(image.Pixel(60, 20), Magenta);
}

TEST_F(LiveLabel, KeepsACopyOfTheFontRecordAndPaintsWithIt) {
    LOGFONTA font{};
    EXPECT_FALSE(toolkit::LabelFont(Window, "plain", &font));
    toolkit::SetLabelCaption(Window, "plain", "Hg");
    const toolkitsupport::Canvas stock(120, 40, 0);
    PaintInto(stock, "plain");

    LOGFONTA written{};
    written.lfHeight = -36;
    lstrcpynA(written.lfFaceName, "宋体", LF_FACESIZE);
    toolkit::SetLabelFont(Window, "plain", written);
    written.lfHeight = -8;  // the label's copy must not follow this
    const toolkitsupport::Canvas large(120, 40, 0);
    PaintInto(large, "plain");

    ASSERT_TRUE(toolkit::LabelFont(Window, "plain", &font));
    EXPECT_EQ(font.lfHeight, -36);
    EXPECT_STREQ(font.lfFaceName, "宋体");
    const RECT stockInk = stock.InkBounds(Magenta);
    const RECT largeInk = large.InkBounds(Magenta);
    EXPECT_GT(largeInk.bottom - largeInk.top, stockInk.bottom - stockInk.top);
}

TEST_F(LiveLabel, OperationsOnAnUnknownNameDoNothing) {
    toolkit::SetLabelCaption(Window, "nobody", "x");
    toolkit::SetLabelBorder(Window, "nobody", 5);
    EXPECT_EQ(toolkit::LabelCaption(Window, "nobody"), "");
    EXPECT_EQ(toolkit::ControlHandle(Window, "nobody"), nullptr);
    EXPECT_EQ(toolkit::LabelBorderStyle(Window, "nobody"), 0);
}

// This test program carries no resources, as the program did before it
// had its own pointer.
TEST(MousePointer, HandIsTheArrowWhenTheProgramHasNoHandResource) {
    EXPECT_EQ(toolkit::LoadPointer(toolkit::MousePointer::Hand), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(toolkit::LoadPointer(toolkit::MousePointer::None), nullptr);
}

// ---- text over a colour key -----------------------------------------------------------------

TEST_F(LiveLabel, TextOverTheWindowsColourKeyHasSolidEdges) {
    // Anti-aliased edges would blend the text colour into the magenta that
    // the window cuts out, and show as a magenta fringe: over the key only
    // the text colour and the key itself may appear.
    HWND window = toolkit::WindowHandle(Window);
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, Magenta, 0, LWA_COLORKEY);
    LOGFONTA font{};
    font.lfHeight = -28;
    lstrcpynA(font.lfFaceName, "宋体", LF_FACESIZE);
    toolkit::SetLabelFont(Window, "plain", font);
    toolkit::SetLabelCaption(Window, "plain", "公告 Notice");

    const toolkitsupport::Canvas image(120, 40, RGB(1, 2, 3));
    PaintInto(image, "plain");
    const int text = image.Count(0x000000);
    EXPECT_GT(text, 30);
    EXPECT_EQ(text + image.Count(Magenta), image.Width() * image.Height());
}

}  // namespace
