// The layered image painter on real top-level windows: signature check,
// sizing, centring by truncation, kept extended styles, opacity, and bad
// pictures. Screen-size cases run on their own Xvfb screens (see CMake).
#include "backdrop/layered_image_painter.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>

#include <string>

#include "png_maker.h"
#include "screen_pixels.h"

namespace {

using testsupport::MakePng;
using testsupport::Rgba;

const Rgba Opaque{200, 100, 50, 255};

std::string OpaquePicture(int width, int height) {
    return MakePng(width, height, [](int, int) { return Opaque; });
}

class PaintLayered : public ::testing::Test {
protected:
    static void SetUpTestSuite() { painter_ = new LayeredImagePainter(); }
    static void TearDownTestSuite() {
        delete painter_;
        painter_ = nullptr;
    }

    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PainterTestWindow";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "PainterTestWindow", "painter", WS_POPUP, 10, 20, 100, 50,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }

    bool Paint(const std::string& image, int opacity) {
        return painter_->PaintLayered(window_, reinterpret_cast<const unsigned char*>(image.data()), image.size(),
                                      opacity);
    }
    RECT Rect() const {
        RECT rect{};
        GetWindowRect(window_, &rect);
        return rect;
    }
    LONG ExStyle() const { return GetWindowLongA(window_, GWL_EXSTYLE); }

    static LayeredImagePainter* painter_;
    HWND window_ = nullptr;
};

LayeredImagePainter* PaintLayered::painter_ = nullptr;

TEST_F(PaintLayered, GdiplusIsStarted) { EXPECT_NE(painter_->GdiplusToken, 0u); }

struct RejectedCase {
    const char* Name;
    std::string Bytes;
};

TEST_F(PaintLayered, NonPngIsRejectedAndWindowLeftAsItWas) {
    const RejectedCase cases[] = {
        {"empty", std::string()},
        {"seven signature bytes", std::string("\x89PNG\r\n\x1A", 7)},
        {"GIF", "GIF89a\x01\x00\x01\x00"},
        {"last signature byte wrong", std::string("\x89PNG\r\n\x1A\x0B", 8) + OpaquePicture(4, 4).substr(8)},
    };
    const RECT before = Rect();
    const LONG styleBefore = ExStyle();
    for (const RejectedCase& c : cases) {
        EXPECT_FALSE(Paint(c.Bytes, 255)) << c.Name;
        const RECT after = Rect();
        EXPECT_TRUE(EqualRect(&before, &after)) << c.Name;
        EXPECT_EQ(ExStyle(), styleBefore) << c.Name;
    }
    EXPECT_FALSE(painter_->PaintLayered(window_, nullptr, 100, 255));
}

TEST_F(PaintLayered, SizesWindowToPictureMakesItLayeredAndKeepsOtherStyles) {
    const LONG styleBefore = ExStyle();
    ASSERT_TRUE(Paint(OpaquePicture(520, 670), 220));
    const RECT rect = Rect();
    EXPECT_EQ(rect.right - rect.left, 520);
    EXPECT_EQ(rect.bottom - rect.top, 670);
    EXPECT_EQ(ExStyle(), styleBefore | WS_EX_LAYERED);
    EXPECT_NE(styleBefore & WS_EX_TOOLWINDOW, 0);
}

struct CentringCase {
    int ScreenWidth, ScreenHeight;
    int Left, Top;
};

// Runs on whatever screen the runner gave the process; each screen size has
// its own ctest entry, and the cases for other sizes are skipped.
TEST_F(PaintLayered, CentresWithHalfPixelsDroppedTowardZero) {
    const CentringCase cases[] = {
        {1024, 768, 252, 49},
        {800, 600, 140, -35},
        {799, 599, 139, -35},  // 139.5 -> 139 and -35.5 -> -35, not -36
    };
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    for (const CentringCase& c : cases) {
        if (c.ScreenWidth != width || c.ScreenHeight != height) continue;
        ASSERT_TRUE(Paint(OpaquePicture(520, 670), 220));
        const RECT rect = Rect();
        EXPECT_EQ(rect.left, c.Left);
        EXPECT_EQ(rect.top, c.Top);
        return;
    }
    GTEST_SKIP() << "no centring case for a " << width << " x " << height << " screen";
}

struct OpacityCase {
    int Opacity;
    int MinimumRed, MaximumRed;
};

TEST_F(PaintLayered, OpacityZeroIsPaintedOpaqueAndOneAlmostInvisible) {
    // Bare Xvfb has no compositor: Wine shows a translucent pixel as if
    // blended over black, so brightness scales with the opacity.
    const OpacityCase cases[] = {
        {255, 195, 205},
        {0, 195, 205},
        {220, 167, 177},  // 200 * 220 / 255 = 172.5
        {1, 0, 3},
    };
    for (const OpacityCase& c : cases) {
        ASSERT_TRUE(Paint(OpaquePicture(64, 64), c.Opacity)) << c.Opacity;
        ShowWindow(window_, SW_SHOWNA);
        testsupport::PumpMessagesFor(200);
        const RECT rect = Rect();
        const COLORREF shown = testsupport::ScreenPixel(rect.left + 32, rect.top + 32);
        EXPECT_GE(GetRValue(shown), c.MinimumRed) << "opacity " << c.Opacity;
        EXPECT_LE(GetRValue(shown), c.MaximumRed) << "opacity " << c.Opacity;
        ShowWindow(window_, SW_HIDE);
    }
}

TEST_F(PaintLayered, TransparentPixelsShowWhatIsBeneath) {
    // Left half alpha 0 over the black root of the test screen.
    ASSERT_TRUE(Paint(MakePng(64, 64, [](int x, int) { return x < 32 ? Rgba{255, 255, 255, 0} : Opaque; }), 255));
    ShowWindow(window_, SW_SHOWNA);
    testsupport::PumpMessagesFor(200);
    const RECT rect = Rect();
    EXPECT_EQ(testsupport::ScreenPixel(rect.left + 8, rect.top + 32), RGB(0, 0, 0));
    EXPECT_GE(GetRValue(testsupport::ScreenPixel(rect.left + 48, rect.top + 32)), 195);
}

// Wine's GetGuiResources always answers 0, so leaks are looked for in the
// process's committed memory: every picture here is over 1 MB in memory
// (the stored PNG copy, the decoded image and the 32-bit surface), so one
// leak a paint would add tens of megabytes.
SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

TEST_F(PaintLayered, RepeatedPaintingReleasesEverything) {
    const std::string good = OpaquePicture(520, 670);
    std::string broken = good;  // keeps the signature, garbles the rest
    for (std::size_t i = 16; i < broken.size(); ++i) broken[i] = static_cast<char>(i * 7);

    Paint(good, 255);  // first use of GDI+ and its codecs
    const SIZE_T before = CommittedBytes();
    for (int i = 0; i < 30; ++i) {
        EXPECT_TRUE(Paint(good, 255));
        Paint(broken, 255);
    }
    const SIZE_T after = CommittedBytes();
    EXPECT_LT(after, before + 8 * 1024 * 1024) << "grew by " << (after - before) / 1024 << " KB";
}

TEST_F(PaintLayered, UndecodablePngMovesWindowToOriginWithNoSize) {
    std::string broken = OpaquePicture(32, 32);
    for (std::size_t i = 16; i < broken.size(); ++i) broken[i] = static_cast<char>(i * 7);
    Paint(broken, 255);
    const RECT rect = Rect();
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
}

}  // namespace
