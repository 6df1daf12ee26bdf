// The picture button: decoding its pictures, the visual state that mouse
// messages lead to, the clicked event, and painting through an off-screen
// bitmap.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/jpeg_decoder.h"
#include "toolkit/picture_button.h"
#include "toolkit/toolkit.h"
#include "toolkit_support.h"

namespace {

using toolkit::WindowDefinition;
using toolkitsupport::EventLog;

constexpr COLORREF Red = RGB(220, 30, 30);
constexpr COLORREF Green = RGB(30, 200, 30);
constexpr COLORREF Blue = RGB(30, 30, 220);
constexpr COLORREF Yellow = RGB(230, 230, 20);
constexpr COLORREF Black = 0;

const std::vector<unsigned char> RedPicture = toolkitsupport::SolidJpeg(43, 16, Red);
const std::vector<unsigned char> GreenPicture = toolkitsupport::SolidJpeg(43, 16, Green);
const std::vector<unsigned char> BluePicture = toolkitsupport::SolidJpeg(43, 16, Blue);
const std::vector<unsigned char> YellowPicture = toolkitsupport::SolidJpeg(43, 16, Yellow);
const std::vector<unsigned char> NotAPicture = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01,
                                                0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xD9};

toolkit::PictureData Data(const std::vector<unsigned char>& bytes) { return {bytes.data(), bytes.size()}; }

// ---- decoding -------------------------------------------------------------------------------

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

TEST(JpegDecoding, DecodesABaselinePictureToItsSizeAndColours) {
    const toolkit::UniqueBitmap bitmap = toolkit::DecodeJpeg(Data(GreenPicture));
    ASSERT_TRUE(bitmap);
    const SIZE size = BitmapSize(bitmap.get());
    EXPECT_EQ(size.cx, 43);
    EXPECT_EQ(size.cy, 16);
    toolkitsupport::Canvas image(43, 16, 0);
    toolkit::PaintPicture(image.Dc(), 43, 16, bitmap.get());
    EXPECT_TRUE(toolkitsupport::Near(image.Pixel(0, 0), Green, 8));
    EXPECT_TRUE(toolkitsupport::Near(image.Pixel(42, 15), Green, 8));
}

// The same bytes with the frame header's height and width set to 60000.
std::vector<unsigned char> WithHugeDimensions(std::vector<unsigned char> bytes) {
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            for (std::size_t at : {i + 5, i + 7}) {
                bytes[at] = 0xEA;
                bytes[at + 1] = 0x60;
            }
            break;
        }
    }
    return bytes;
}

struct UndecodableCase {
    const char* Name;
    std::vector<unsigned char> Bytes;
    std::size_t Size;  // how many of the bytes the picture claims
};

class UndecodableJpeg : public ::testing::TestWithParam<UndecodableCase> {};

TEST_P(UndecodableJpeg, GivesNoBitmap) {
    const UndecodableCase& c = GetParam();
    EXPECT_FALSE(toolkit::DecodeJpeg(toolkit::PictureData{c.Bytes.data(), c.Size}));
}

INSTANTIATE_TEST_SUITE_P(
    JpegDecoding, UndecodableJpeg,
    ::testing::Values(UndecodableCase{"NoBytes", {}, 0}, UndecodableCase{"SizeZero", RedPicture, 0},
                      UndecodableCase{"NotAJpegAtAll", {'P', 'N', 'G', 0, 1, 2, 3}, 7},
                      UndecodableCase{"StartMarkerOnly", {0xFF, 0xD8}, 2},
                      UndecodableCase{"NoFrameBeforeTheEnd", NotAPicture, NotAPicture.size()},
                      UndecodableCase{"HeaderCutShort", RedPicture, 40},
                      UndecodableCase{"ImpossiblySized", WithHugeDimensions(RedPicture), RedPicture.size()}),
    [](const ::testing::TestParamInfo<UndecodableCase>& info) { return std::string(info.param.Name); });

TEST(JpegDecoding, NullPictureIsMissing) { EXPECT_FALSE(toolkit::DecodeJpeg(toolkit::PictureData{})); }

// ---- a live button ----------------------------------------------------------------------------

toolkit::ControlDefinition Button(const char* name, RECT place, toolkit::PictureData normal,
                                  toolkit::PictureData hover, toolkit::PictureData pressed) {
    toolkit::ControlDefinition button = toolkitsupport::ButtonControl(name, place);
    button.Button.Normal = normal;
    button.Button.Hover = hover;
    button.Button.Pressed = pressed;
    button.Events.Clicked = [] { toolkitsupport::Record("clicked"); };
    return button;
}

toolkit::ControlDefinition ToggleButton() {
    toolkit::ControlDefinition button =
        Button("toggle", RECT{20, 60, 63, 76}, Data(RedPicture), Data(GreenPicture), Data(BluePicture));
    button.Button.Kind = toolkit::ButtonKind::Toggle;
    return button;
}

toolkit::ControlDefinition DisabledButton(const char* name, RECT place, const std::vector<unsigned char>* disabled) {
    toolkit::ControlDefinition button = Button(name, place, Data(RedPicture), Data(GreenPicture), Data(BluePicture));
    button.Common.Disabled = true;
    if (disabled) button.Button.Disabled = Data(*disabled);
    return button;
}

const toolkit::ControlDefinition Buttons[] = {
    // On top of the right end of "broken".
    toolkitsupport::LabelControl("cover", RECT{140, 20, 170, 50}),
    Button("close", RECT{20, 20, 63, 36}, Data(RedPicture), Data(GreenPicture), Data(BluePicture)),
    // Larger than its pictures, with undecodable hover and pressed pictures.
    Button("broken", RECT{100, 20, 160, 50}, Data(RedPicture), Data(NotAPicture), {}),
    Button("empty", RECT{100, 60, 130, 80}, Data(NotAPicture), {}, {}),
    ToggleButton(),
    DisabledButton("disabled", RECT{20, 100, 63, 116}, &YellowPicture),
    DisabledButton("disabledPlain", RECT{100, 100, 143, 116}, nullptr),
};

const WindowDefinition Window = [] {
    WindowDefinition window = toolkitsupport::PlacedWindow("Buttons", RECT{100, 100, 300, 250});
    window.Controls = Buttons;
    window.ControlCount = sizeof Buttons / sizeof Buttons[0];
    return window;
}();

constexpr LPARAM Inside = MAKELPARAM(5, 5);
constexpr LPARAM Outside = MAKELPARAM(-20, -20);  // 20 pixels up and left of the button

class LiveButton : public ::testing::Test {
protected:
    void SetUp() override {
        EventLog().clear();
        ASSERT_TRUE(toolkit::LoadWindow(Window));
        toolkitsupport::PumpFor(0);
    }
    void TearDown() override {
        DestroyWindow(toolkit::WindowHandle(Window));
        ReleaseCapture();
    }

    static HWND Handle(const char* name) { return toolkit::ControlHandle(Window, name); }
    static void Send(const char* name, UINT message, WPARAM keys, LPARAM point) {
        SendMessageA(Handle(name), message, keys, point);
    }

    // The colour the button paints at `x`, `y` of its client area.
    static COLORREF Shown(const char* name, int x = 10, int y = 8) {
        RECT client;
        GetClientRect(Handle(name), &client);
        toolkitsupport::Canvas image(client.right, client.bottom, RGB(1, 2, 3));
        SendMessageA(Handle(name), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
        return image.Pixel(x, y);
    }
    static bool Showing(const char* name, COLORREF colour) { return toolkitsupport::Near(Shown(name), colour, 8); }
    static bool Clicks(int count) { return EventLog() == std::vector<std::string>(count, "clicked"); }
};

TEST_F(LiveButton, StartsNormal) { EXPECT_TRUE(Showing("close", Red)); }

TEST_F(LiveButton, MovingOverShowsHoverAndLeavingShowsNormal) {
    Send("close", WM_MOUSEMOVE, 0, Inside);
    EXPECT_TRUE(Showing("close", Green));
    // Captured, so that leaving is seen.
    EXPECT_EQ(GetCapture(), Handle("close"));
    Send("close", WM_MOUSEMOVE, 0, Outside);
    EXPECT_TRUE(Showing("close", Red));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Clicks(0));
}

TEST_F(LiveButton, ReleaseInsideRaisesClickedOnceAndShowsNormal) {
    Send("close", WM_MOUSEMOVE, 0, Inside);
    Send("close", WM_LBUTTONDOWN, MK_LBUTTON, Inside);
    EXPECT_TRUE(Showing("close", Blue));
    EXPECT_EQ(GetCapture(), Handle("close"));
    Send("close", WM_LBUTTONUP, 0, Inside);
    EXPECT_TRUE(Clicks(1));
    EXPECT_TRUE(Showing("close", Red));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LiveButton, PressMoveOffAndReleaseOutsideRaisesNothing) {
    Send("close", WM_LBUTTONDOWN, MK_LBUTTON, Inside);
    Send("close", WM_MOUSEMOVE, MK_LBUTTON, Outside);
    EXPECT_TRUE(Showing("close", Red));
    // The button keeps the mouse while the left button is down ...
    EXPECT_EQ(GetCapture(), Handle("close"));
    // ... and shows pressed again when the pointer comes back.
    Send("close", WM_MOUSEMOVE, MK_LBUTTON, Inside);
    EXPECT_TRUE(Showing("close", Blue));
    Send("close", WM_MOUSEMOVE, MK_LBUTTON, Outside);
    Send("close", WM_LBUTTONUP, 0, Outside);
    EXPECT_TRUE(Clicks(0));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LiveButton, PointOfTheButtonCoveredByAnotherWindowIsNotOverIt) {
    Send("broken", WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
    EXPECT_NE(GetCapture(), Handle("broken"));
    // Where nothing covers it, it is.
    Send("broken", WM_MOUSEMOVE, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(GetCapture(), Handle("broken"));
}

TEST_F(LiveButton, DoubleClickCountsAsAPress) {
    Send("close", WM_LBUTTONDOWN, MK_LBUTTON, Inside);
    Send("close", WM_LBUTTONUP, 0, Inside);
    Send("close", WM_LBUTTONDBLCLK, MK_LBUTTON, Inside);
    EXPECT_TRUE(Showing("close", Blue));
    Send("close", WM_LBUTTONUP, 0, Inside);
    EXPECT_TRUE(Clicks(2));
}

TEST_F(LiveButton, DisabledButtonIgnoresTheMouseAndShowsItsDisabledPicture) {
    EXPECT_TRUE(Showing("disabled", Yellow));
    Send("disabled", WM_MOUSEMOVE, 0, Inside);
    EXPECT_EQ(GetCapture(), nullptr);
    Send("disabled", WM_LBUTTONDOWN, MK_LBUTTON, Inside);
    EXPECT_EQ(GetCapture(), nullptr);
    Send("disabled", WM_LBUTTONUP, 0, Inside);
    EXPECT_TRUE(Clicks(0));
    EXPECT_TRUE(Showing("disabled", Yellow));
    // Without a disabled picture, the enabled one.
    EXPECT_TRUE(Showing("disabledPlain", Red));
}

TEST_F(LiveButton, ToggleButtonFlipsOnEachReleaseAndIgnoresMoves) {
    Send("toggle", WM_MOUSEMOVE, 0, Inside);
    EXPECT_TRUE(Showing("toggle", Red));
    EXPECT_EQ(GetCapture(), nullptr);
    Send("toggle", WM_LBUTTONUP, 0, Inside);
    EXPECT_TRUE(Showing("toggle", Blue));
    Send("toggle", WM_LBUTTONUP, 0, Inside);
    EXPECT_TRUE(Showing("toggle", Red));
    EXPECT_TRUE(Clicks(2));
}

// ---- painting --------------------------------------------------------------------------------

TEST_F(LiveButton, PaintsThePictureAtTheOriginAndBlackBeyondIt) {
    // "broken" is 60 x 30 with 43 x 16 pictures.
    EXPECT_TRUE(toolkitsupport::Near(Shown("broken", 0, 0), Red, 8));
    EXPECT_TRUE(toolkitsupport::Near(Shown("broken", 42, 15), Red, 8));
    EXPECT_EQ(Shown("broken", 43, 0), Black);
    EXPECT_EQ(Shown("broken", 0, 16), Black);
    EXPECT_EQ(Shown("broken", 59, 29), Black);
}

TEST_F(LiveButton, UndecodableStatePictureShowsTheNormalOne) {
    Send("broken", WM_MOUSEMOVE, 0, Inside);
    EXPECT_TRUE(toolkitsupport::Near(Shown("broken", 0, 0), Red, 8));
    Send("broken", WM_LBUTTONDOWN, MK_LBUTTON, Inside);
    EXPECT_TRUE(toolkitsupport::Near(Shown("broken", 0, 0), Red, 8));
}

TEST_F(LiveButton, WithoutANormalPictureTheButtonIsBlack) {
    RECT client;
    GetClientRect(Handle("empty"), &client);
    toolkitsupport::Canvas image(client.right, client.bottom, RGB(1, 2, 3));
    SendMessageA(Handle("empty"), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(image.Dc()), PRF_CLIENT);
    EXPECT_EQ(image.Count(Black), client.right * client.bottom);
}

}  // namespace
