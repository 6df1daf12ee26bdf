// Label painting into a memory DC: background, the gradient frame, and the
// caption's place, format and font.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/gradient_frame.h"
#include "toolkit/label_painting.h"
#include "toolkit/visible_text.h"
#include "toolkit_support.h"

namespace {

using toolkit::LabelBorder;
using toolkit::LabelLook;
using toolkitsupport::Canvas;

constexpr COLORREF Magenta = 0xFF00FF;
constexpr COLORREF Grey = 0x808080;
constexpr COLORREF White = 0xFFFFFF;
constexpr COLORREF Black = 0x000000;
// What the canvas holds where the label paints nothing.
constexpr COLORREF Untouched = 0x123456;

LabelLook MagentaLabel(LabelBorder border = LabelBorder::None) {
    LabelLook look;
    look.Border = border;
    look.FrameWidth = 8;
    look.FrameColours[0] = Grey;
    look.FrameColours[1] = White;
    look.FrameColours[2] = Grey;
    look.BackColour = Magenta;
    look.TextColour = Black;
    return look;
}

// A canvas of the given size with the label painted over all of it.
struct Painted {
    Painted(int width, int height, const LabelLook& look, const std::string& caption)
        : Image(width, height, Untouched) {
        toolkit::PaintLabel(Image.Dc(), RECT{0, 0, width, height}, look, caption);
    }
    Canvas Image;
};

// ---- background ------------------------------------------------------------------------

struct BackgroundCase {
    const char* Name;
    LabelBorder Border;
    COLORREF BackColour;
    COLORREF Painted;  // DefaultColour: the button-face colour
};

class LabelBackground : public ::testing::TestWithParam<BackgroundCase> {};

TEST_P(LabelBackground, FillsTheWholeLabelInItsColour) {
    const BackgroundCase& c = GetParam();
    LabelLook look = MagentaLabel(c.Border);
    look.BackColour = c.BackColour;
    const Painted label(40, 30, look, "");
    const COLORREF expected = c.Painted == toolkit::DefaultColour ? GetSysColor(COLOR_BTNFACE) : c.Painted;
    EXPECT_EQ(label.Image.Count(expected), 40 * 30);
}

INSTANTIATE_TEST_SUITE_P(
    LabelPainting, LabelBackground,
    ::testing::Values(BackgroundCase{"NoBorder", LabelBorder::None, Magenta, Magenta},
                      // The system draws a single-line border outside the client area.
                      BackgroundCase{"SingleLine", LabelBorder::SingleLine, Magenta, Magenta},
                      BackgroundCase{"DefaultColourIsButtonFace", LabelBorder::None, toolkit::DefaultColour,
                                     toolkit::DefaultColour}),
    [](const ::testing::TestParamInfo<BackgroundCase>& info) { return std::string(info.param.Name); });

// ---- gradient frame -----------------------------------------------------------------------

constexpr int FrameWidth = 60;
constexpr int FrameHeight = 40;

// The colour `step` pixels into each band, measured at the middle of its length.
struct BandSamples {
    COLORREF Top, Bottom, Left, Right;
};

BandSamples Band(const Canvas& image, int step) {
    return BandSamples{image.Pixel(FrameWidth / 2, step), image.Pixel(FrameWidth / 2, FrameHeight - 8 + step),
                       image.Pixel(step, FrameHeight / 2), image.Pixel(FrameWidth - 8 + step, FrameHeight / 2)};
}

TEST(LabelPainting, GradientFrameIsGreyWhiteGreyAcrossEveryBand) {
    const Painted label(FrameWidth, FrameHeight, MagentaLabel(LabelBorder::Gradient), "");
    for (int step = 0; step < 8; ++step) {
        const BandSamples band = Band(label.Image, step);
        SCOPED_TRACE("step " + std::to_string(step));
        // The four bands are graded alike.
        EXPECT_EQ(band.Bottom, band.Top);
        EXPECT_EQ(band.Left, band.Top);
        EXPECT_EQ(band.Right, band.Top);
        // Symmetric about the middle of the band.
        EXPECT_EQ(band.Top, Band(label.Image, 7 - step).Top);
    }
    EXPECT_EQ(Band(label.Image, 0).Top, Grey);
    EXPECT_EQ(Band(label.Image, 7).Top, Grey);
    // Brighter toward the middle, nearly white there (8 pixels have no exact middle).
    for (int step = 0; step < 3; ++step) {
        EXPECT_LT(GetRValue(Band(label.Image, step).Top), GetRValue(Band(label.Image, step + 1).Top));
    }
    EXPECT_TRUE(toolkitsupport::Near(Band(label.Image, 3).Top, White, 0x20));
    // Inside the frame: the background.
    EXPECT_EQ(label.Image.Pixel(8, 8), Magenta);
    EXPECT_EQ(label.Image.Pixel(FrameWidth - 9, FrameHeight - 9), Magenta);
}

TEST(LabelPainting, GradientFrameCornersAreMitred) {
    const Painted label(FrameWidth, FrameHeight, MagentaLabel(LabelBorder::Gradient), "");
    const Canvas& image = label.Image;
    // Below the diagonal of the top-left corner the left band goes on, above
    // it the top band: each graded across its own band.
    EXPECT_EQ(image.Pixel(1, 4), Band(image, 1).Left);
    EXPECT_EQ(image.Pixel(4, 1), Band(image, 1).Top);
    EXPECT_NE(Band(image, 1).Top, Band(image, 4).Top);
    // The other three corners mirror it.
    EXPECT_EQ(image.Pixel(FrameWidth - 2, 4), Band(image, 6).Right);
    EXPECT_EQ(image.Pixel(FrameWidth - 5, 1), Band(image, 1).Top);
    EXPECT_EQ(image.Pixel(1, FrameHeight - 5), Band(image, 1).Left);
    EXPECT_EQ(image.Pixel(4, FrameHeight - 2), Band(image, 6).Bottom);
    EXPECT_EQ(image.Pixel(FrameWidth - 2, FrameHeight - 5), Band(image, 6).Right);
    EXPECT_EQ(image.Pixel(FrameWidth - 5, FrameHeight - 2), Band(image, 6).Bottom);
}

TEST(LabelPainting, GradientBandsRunFromUpperAndLeftEdgesSkippingDefaultColours) {
    LabelLook look = MagentaLabel(LabelBorder::Gradient);
    look.FrameColours[0] = Black;
    look.FrameColours[1] = toolkit::DefaultColour;  // no colour: black straight to white
    look.FrameColours[2] = White;
    const Painted label(FrameWidth, FrameHeight, look, "");
    for (const BandSamples& band : {Band(label.Image, 0), Band(label.Image, 7)}) {
        EXPECT_EQ(band.Bottom, band.Top);
        EXPECT_EQ(band.Left, band.Top);
        EXPECT_EQ(band.Right, band.Top);
    }
    EXPECT_EQ(Band(label.Image, 0).Top, Black);
    EXPECT_EQ(Band(label.Image, 7).Top, White);
    // Halfway between the two real colours.
    EXPECT_TRUE(toolkitsupport::Near(Band(label.Image, 3).Top, RGB(0x6D, 0x6D, 0x6D), 2));
}

struct NoFrameCase {
    const char* Name;
    LabelBorder Border;
    int Width;
    COLORREF Colours[3];
};

class NoGradientFrame : public ::testing::TestWithParam<NoFrameCase> {};

TEST_P(NoGradientFrame, IsDrawnAndTheTextAreaIsTheClientArea) {
    const NoFrameCase& c = GetParam();
    LabelLook look = MagentaLabel(c.Border);
    look.FrameWidth = c.Width;
    for (int i = 0; i < 3; ++i) look.FrameColours[i] = c.Colours[i];
    const Painted label(FrameWidth, FrameHeight, look, "");
    EXPECT_EQ(label.Image.Count(Magenta), FrameWidth * FrameHeight);
    EXPECT_FALSE(toolkit::DrawsGradientFrame(look));
    const RECT area = toolkit::LabelTextArea(RECT{0, 0, FrameWidth, FrameHeight}, look);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.right, FrameWidth);
}

constexpr COLORREF D = toolkit::DefaultColour;

INSTANTIATE_TEST_SUITE_P(
    LabelPainting, NoGradientFrame,
    ::testing::Values(NoFrameCase{"OtherBorderStyle", LabelBorder::SingleLine, 8, {Grey, White, Grey}},
                      NoFrameCase{"ZeroWidth", LabelBorder::Gradient, 0, {Grey, White, Grey}},
                      NoFrameCase{"NegativeWidth", LabelBorder::Gradient, -3, {Grey, White, Grey}},
                      NoFrameCase{"OneRealColour", LabelBorder::Gradient, 8, {D, Grey, D}},
                      NoFrameCase{"NoRealColour", LabelBorder::Gradient, 8, {D, D, D}}),
    [](const ::testing::TestParamInfo<NoFrameCase>& info) { return std::string(info.param.Name); });

TEST(LabelPainting, GradientBandIsAtMostHalfTheLabel) {
    // 10 pixels wide: the side bands are 5 wide each and meet in the middle.
    const Painted label(10, FrameHeight, MagentaLabel(LabelBorder::Gradient), "");
    EXPECT_EQ(label.Image.Count(Magenta), 0);
    EXPECT_EQ(label.Image.Pixel(0, FrameHeight / 2), Grey);
    EXPECT_EQ(label.Image.Pixel(4, FrameHeight / 2), Grey);
    EXPECT_EQ(label.Image.Pixel(5, FrameHeight / 2), Grey);
    EXPECT_TRUE(toolkitsupport::Near(label.Image.Pixel(2, FrameHeight / 2), White, 0));
}

struct LayoutCase {
    const char* Name;
    int Width;
    int Height;
    int Frame;
};

class GradientFrameLayout : public ::testing::TestWithParam<LayoutCase> {};

// Every pixel within a band's thickness of an edge is drawn exactly once
// (overlapping lines would make the corners depend on drawing order), and
// nothing inside the frame is drawn.
TEST_P(GradientFrameLayout, CoversEveryFramePixelExactlyOnce) {
    const LayoutCase& c = GetParam();
    const int along = std::min(c.Frame, c.Height / 2);
    const int across = std::min(c.Frame, c.Width / 2);
    std::vector<int> cover(static_cast<std::size_t>(c.Width) * c.Height, 0);
    for (const toolkit::FrameLine& line : toolkit::GradientFrameLines(c.Width, c.Height, c.Frame)) {
        ASSERT_TRUE(line.Area.right - line.Area.left == 1 || line.Area.bottom - line.Area.top == 1);
        for (int y = line.Area.top; y < line.Area.bottom; ++y) {
            for (int x = line.Area.left; x < line.Area.right; ++x) ++cover[static_cast<std::size_t>(y) * c.Width + x];
        }
    }
    for (int y = 0; y < c.Height; ++y) {
        for (int x = 0; x < c.Width; ++x) {
            const bool inFrame = y < along || y >= c.Height - along || x < across || x >= c.Width - across;
            ASSERT_EQ(cover[static_cast<std::size_t>(y) * c.Width + x], inFrame ? 1 : 0) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LabelPainting, GradientFrameLayout,
                         ::testing::Values(LayoutCase{"Square", 60, 40, 8}, LayoutCase{"OddSizes", 61, 41, 8},
                                           LayoutCase{"Narrow", 10, 40, 8}, LayoutCase{"Flat", 200, 10, 8},
                                           LayoutCase{"OnePixelWide", 1, 30, 8}, LayoutCase{"Thin", 7, 7, 3}),
                         [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.Name); });

// ---- where the caption goes -------------------------------------------------------------

LabelLook TopLeftText(LabelBorder border) {
    LabelLook look = MagentaLabel(border);
    look.VAlign = toolkit::VerticalAlignment::Top;
    return look;
}

TEST(LabelPainting, GradientFrameShrinksTextArea) {
    const Painted plain(120, 60, TopLeftText(LabelBorder::None), "MWM");
    const Painted framed(120, 60, TopLeftText(LabelBorder::Gradient), "MWM");
    // The frame is ink too: look at what lies inside its 8 pixels only.
    const Canvas inside(120 - 16, 60 - 16, Magenta);
    BitBlt(inside.Dc(), 0, 0, inside.Width(), inside.Height(), framed.Image.Dc(), 8, 8, SRCCOPY);
    const RECT plainText = plain.Image.InkBounds(Magenta);
    const RECT framedText = inside.InkBounds(Magenta);
    ASSERT_LT(plainText.left, plainText.right);
    // The same text, moved right and down by the frame's width.
    EXPECT_EQ(framedText.left, plainText.left);
    EXPECT_EQ(framedText.top, plainText.top);
    EXPECT_EQ(framedText.right, plainText.right);
    EXPECT_EQ(framedText.bottom, plainText.bottom);
    const RECT area = toolkit::LabelTextArea(RECT{0, 0, 120, 60}, TopLeftText(LabelBorder::Gradient));
    EXPECT_EQ(area.left, 8);
    EXPECT_EQ(area.top, 8);
    EXPECT_EQ(area.right, 112);
    EXPECT_EQ(area.bottom, 52);
}

TEST(LabelPainting, CaptionIsCutOffAtTheTextArea) {
    LabelLook look = MagentaLabel(LabelBorder::Gradient);
    const Painted label(60, 40, look, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    // Beyond the text area only frame pixels: grey to white, never black.
    for (int y = 0; y < 40; ++y) {
        for (int x = 52; x < 60; ++x) ASSERT_NE(label.Image.Pixel(x, y), Black) << x << "," << y;
    }
}

struct PlaceCase {
    const char* Name;
    bool WordWrap;
    toolkit::VerticalAlignment VAlign;
    toolkit::HorizontalAlignment HAlign;
    // Where the ink must be in a 200 x 100 label: its top or its vertical
    // middle within 4 pixels, and its left, centre or right likewise.
    enum { Top, Middle, Bottom } Vertical;
    enum { Left, Centre, Right } Horizontal;
};

class CaptionPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(CaptionPlace, FollowsAlignmentAndWrapping) {
    const PlaceCase& c = GetParam();
    LabelLook look = MagentaLabel();
    look.WordWrap = c.WordWrap;
    look.VAlign = c.VAlign;
    look.HAlign = c.HAlign;
    const Painted label(200, 100, look, "Hello");
    const RECT ink = label.Image.InkBounds(Magenta);
    ASSERT_LT(ink.top, ink.bottom);
    switch (c.Vertical) {
    case PlaceCase::Top: EXPECT_LE(ink.top, 4); break;
    case PlaceCase::Middle: EXPECT_NEAR((ink.top + ink.bottom) / 2, 50, 4); break;
    case PlaceCase::Bottom: EXPECT_GE(ink.bottom, 96); break;
    }
    switch (c.Horizontal) {
    case PlaceCase::Left: EXPECT_LE(ink.left, 4); break;
    case PlaceCase::Centre: EXPECT_NEAR((ink.left + ink.right) / 2, 100, 4); break;
    case PlaceCase::Right: EXPECT_GE(ink.right, 196); break;
    }
}

using toolkit::HorizontalAlignment;
using toolkit::VerticalAlignment;

INSTANTIATE_TEST_SUITE_P(
    LabelPainting, CaptionPlace,
    ::testing::Values(
        PlaceCase{"SingleLineCentredVertically", false, VerticalAlignment::Centre, HorizontalAlignment::Left,
                  PlaceCase::Middle, PlaceCase::Left},
        PlaceCase{"SingleLineTop", false, VerticalAlignment::Top, HorizontalAlignment::Left, PlaceCase::Top,
                  PlaceCase::Left},
        PlaceCase{"SingleLineBottom", false, VerticalAlignment::Bottom, HorizontalAlignment::Left,
                  PlaceCase::Bottom, PlaceCase::Left},
        // DT_VCENTER does nothing without DT_SINGLELINE: wrapped text starts at the top.
        PlaceCase{"WrappedStartsAtTopEvenIfCentred", true, VerticalAlignment::Centre, HorizontalAlignment::Left,
                  PlaceCase::Top, PlaceCase::Left},
        PlaceCase{"WrappedIgnoresBottom", true, VerticalAlignment::Bottom, HorizontalAlignment::Left,
                  PlaceCase::Top, PlaceCase::Left},
        PlaceCase{"CentredHorizontally", false, VerticalAlignment::Centre, HorizontalAlignment::Centre,
                  PlaceCase::Middle, PlaceCase::Centre},
        PlaceCase{"RightAligned", false, VerticalAlignment::Centre, HorizontalAlignment::Right, PlaceCase::Middle,
                  PlaceCase::Right}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.Name); });

TEST(LabelPainting, WordWrapBreaksBetweenWordsSingleLineDoesNot) {
    LabelLook look = MagentaLabel();
    look.VAlign = VerticalAlignment::Top;
    const std::string caption = "one two three four five six";
    const Painted single(60, 100, look, caption);
    look.WordWrap = true;
    const Painted wrapped(60, 100, look, caption);
    const RECT singleInk = single.Image.InkBounds(Magenta);
    const RECT wrappedInk = wrapped.Image.InkBounds(Magenta);
    EXPECT_GT(wrappedInk.bottom - wrappedInk.top, 2 * (singleInk.bottom - singleInk.top));
}

struct FormatCase {
    const char* Name;
    bool WordWrap;
    HorizontalAlignment HAlign;
    VerticalAlignment VAlign;
    UINT Format;
};

class TextFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(TextFormat, IsExactlyTheseFlags) {
    const FormatCase& c = GetParam();
    LabelLook look;
    look.WordWrap = c.WordWrap;
    look.HAlign = c.HAlign;
    look.VAlign = c.VAlign;
    EXPECT_EQ(toolkit::LabelTextFormat(look), c.Format);
}

INSTANTIATE_TEST_SUITE_P(
    LabelPainting, TextFormat,
    ::testing::Values(
        FormatCase{"TitleAndLink", false, HorizontalAlignment::Left, VerticalAlignment::Centre,
                   DT_NOCLIP | DT_LEFT | DT_SINGLELINE | DT_VCENTER},
        FormatCase{"Body", true, HorizontalAlignment::Left, VerticalAlignment::Centre,
                   DT_NOCLIP | DT_LEFT | DT_WORDBREAK | DT_VCENTER},
        FormatCase{"WrappedTopStillVCentre", true, HorizontalAlignment::Right, VerticalAlignment::Top,
                   DT_NOCLIP | DT_RIGHT | DT_WORDBREAK | DT_VCENTER},
        FormatCase{"CentreTop", false, HorizontalAlignment::Centre, VerticalAlignment::Top,
                   DT_NOCLIP | DT_CENTER | DT_SINGLELINE | DT_TOP},
        FormatCase{"RightBottom", false, HorizontalAlignment::Right, VerticalAlignment::Bottom,
                   DT_NOCLIP | DT_RIGHT | DT_SINGLELINE | DT_BOTTOM}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.Name); });

// ---- the caption's characters -------------------------------------------------------------

// `text` drawn by DrawText itself in the label's default font, with "&"
// taken literally, where the label would draw its caption.
void PaintLiterally(const Canvas& image, const std::string& text) {
    toolkitsupport::Fill(image, Magenta);
    const toolkit::ScopedSelect font(image.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(image.Dc(), TRANSPARENT);
    SetTextColor(image.Dc(), Black);
    RECT place{0, 0, image.Width(), image.Height()};
    DrawTextA(image.Dc(), text.c_str(), -1, &place, DT_NOPREFIX | DT_LEFT | DT_SINGLELINE | DT_VCENTER);
}

// How many pixels of two canvases of the same size differ.
int Differences(const Canvas& a, const Canvas& b) {
    int differences = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) differences += a.Pixel(x, y) != b.Pixel(x, y);
    }
    return differences;
}

TEST(LabelPainting, DoubleAmpersandShowsOneAmpersand) {
    const Painted label(100, 30, MagentaLabel(), "A&&B");
    const Canvas literal(100, 30, Magenta);
    PaintLiterally(literal, "A&B");
    EXPECT_EQ(Differences(label.Image, literal), 0);
    EXPECT_GT(label.Image.Count(Black), 0);
}

TEST(LabelPainting, AmpersandIsNotDrawnAndUnderlinesTheNextCharacter) {
    const Painted label(100, 30, MagentaLabel(), "&x");
    const Canvas literal(100, 30, Magenta);
    PaintLiterally(literal, "x");
    const RECT prefixed = label.Image.InkBounds(Magenta);
    const RECT plain = literal.InkBounds(Magenta);
    // The x stands where it would without the "&" ...
    EXPECT_EQ(prefixed.left, plain.left);
    EXPECT_EQ(prefixed.top, plain.top);
    // ... with an underline below it.
    EXPECT_GT(prefixed.bottom, plain.bottom);
}

TEST(LabelPainting, EmptyCaptionDrawsNoText) {
    const Painted label(100, 30, MagentaLabel(), "");
    EXPECT_EQ(label.Image.Count(Magenta), 100 * 30);
}

TEST(LabelPainting, FontRecordReplacesCharacterSetPrecisionQualityAndPitch) {
    LOGFONTA given{};
    given.lfHeight = -37;
    given.lfWeight = FW_BOLD;
    given.lfItalic = TRUE;
    given.lfEscapement = 900;
    given.lfCharSet = SHIFTJIS_CHARSET;
    given.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    given.lfClipPrecision = CLIP_STROKE_PRECIS;
    given.lfQuality = NONANTIALIASED_QUALITY;
    given.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(given.lfFaceName, "宋体", LF_FACESIZE);

    const LOGFONTA record = toolkit::LabelFontRecord(given);
    EXPECT_EQ(record.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(record.lfOutPrecision, OUT_DEFAULT_PRECIS);
    EXPECT_EQ(record.lfClipPrecision, CLIP_DEFAULT_PRECIS);
    EXPECT_EQ(record.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(record.lfPitchAndFamily, DEFAULT_PITCH);
    EXPECT_EQ(record.lfHeight, -37);
    EXPECT_EQ(record.lfWeight, FW_BOLD);
    EXPECT_EQ(record.lfItalic, TRUE);
    EXPECT_EQ(record.lfEscapement, 900);
    EXPECT_STREQ(record.lfFaceName, "宋体");
}

TEST(LabelPainting, CaptionIsDrawnInTheLabelsFontAndColour) {
    LabelLook look = MagentaLabel();
    look.TextColour = RGB(0, 0, 255);
    const Painted stock(200, 80, look, "Hg");
    look.HasFont = true;
    look.Font.lfHeight = -48;
    lstrcpynA(look.Font.lfFaceName, "宋体", LF_FACESIZE);
    const Painted large(200, 80, look, "Hg");
    const RECT stockInk = stock.Image.InkBounds(Magenta);
    const RECT largeInk = large.Image.InkBounds(Magenta);
    EXPECT_GT(largeInk.bottom - largeInk.top, 2 * (stockInk.bottom - stockInk.top));
    EXPECT_GT(large.Image.Count(RGB(0, 0, 255)), 0);
    EXPECT_EQ(large.Image.Count(Black), 0);
}

// ---- long wrapped captions -------------------------------------------------------------

// The body label's size and its wrapping format.
constexpr int BodyWidth = 416;
constexpr int BodyHeight = 390;

LabelLook WrappedLabel(int fontHeight) {
    LabelLook look = MagentaLabel();
    look.WordWrap = true;
    look.HasFont = true;
    look.Font.lfHeight = fontHeight;
    lstrcpynA(look.Font.lfFaceName, "宋体", LF_FACESIZE);
    return look;
}

std::string Repeated(const std::string& piece, std::size_t size) {
    std::string text;
    while (text.size() < size) text += piece;
    text.resize(size);
    return text;
}

// `text` drawn whole by DrawText, in the label's font, format and colours.
void PaintWhole(const Canvas& image, const LabelLook& look, const std::string& text) {
    toolkitsupport::Fill(image, Magenta);
    const LOGFONTA record = toolkit::LabelFontRecord(look.Font);
    const toolkit::UniqueFont font(CreateFontIndirectA(&record));
    const toolkit::ScopedSelect selected(image.Dc(), font.get());
    SetBkMode(image.Dc(), TRANSPARENT);
    SetTextColor(image.Dc(), look.TextColour);
    IntersectClipRect(image.Dc(), 0, 0, image.Width(), image.Height());
    RECT place{0, 0, image.Width(), image.Height()};
    DrawTextA(image.Dc(), text.data(), static_cast<int>(text.size()), &place, toolkit::LabelTextFormat(look));
}

// The length VisibleTextLength gives `text` in a body label of `look`.
std::size_t VisibleLength(const LabelLook& look, const std::string& text) {
    const Canvas canvas(BodyWidth, BodyHeight, Magenta);
    const LOGFONTA record = toolkit::LabelFontRecord(look.Font);
    const toolkit::UniqueFont font(CreateFontIndirectA(&record));
    const toolkit::ScopedSelect selected(canvas.Dc(), font.get());
    return toolkit::VisibleTextLength(canvas.Dc(), text, RECT{0, 0, BodyWidth, BodyHeight},
                                      toolkit::LabelTextFormat(look));
}

struct LongCaptionCase {
    const char* Name;
    std::string Text;
    int FontHeight;
};

class LongWrappedCaption : public ::testing::TestWithParam<LongCaptionCase> {};

// Long enough that the label draws only a part of it, short enough that
// DrawText can still draw all of it for comparison.
constexpr std::size_t ComparedSize = 48 * 1024;

TEST_P(LongWrappedCaption, LooksAsIfDrawnWhole) {
    const LongCaptionCase& c = GetParam();
    const LabelLook look = WrappedLabel(c.FontHeight);
    ASSERT_LT(VisibleLength(look, c.Text), c.Text.size()) << "the label would draw all of it";
    const Painted label(BodyWidth, BodyHeight, look, c.Text);
    const Canvas whole(BodyWidth, BodyHeight, Magenta);
    PaintWhole(whole, look, c.Text);
    // Small text is anti-aliased: its pixels are not all black.
    EXPECT_LT(label.Image.Count(Magenta), BodyWidth * BodyHeight);
    EXPECT_EQ(Differences(label.Image, whole), 0);
}

INSTANTIATE_TEST_SUITE_P(
    LabelPainting, LongWrappedCaption,
    ::testing::Values(
        LongCaptionCase{"ChineseWithSpaces", Repeated("这是一段正文 公告 ", ComparedSize), -16},
        LongCaptionCase{"EnglishWords", Repeated("the quick brown fox jumps ", ComparedSize), -16},
        LongCaptionCase{"SmallFont", Repeated("words of the body 正文 ", ComparedSize), -6},
        LongCaptionCase{"ShortLines", Repeated("第一行\r\nline two\r\n\r\n", ComparedSize), -13},
        LongCaptionCase{"LongWords", Repeated(std::string(300, 'w') + " " + std::string(70, 'k') + " ", ComparedSize),
                        -16},
        LongCaptionCase{"NoSpacesAtAll", Repeated("汉字", ComparedSize), -16},
        LongCaptionCase{"Ampersands", Repeated("a&b &&c &", ComparedSize), -16}),
    [](const ::testing::TestParamInfo<LongCaptionCase>& info) { return std::string(info.param.Name); });

TEST(LabelPainting, TenMegabyteCaptionIsDrawnFromItsFirstKilobytes) {
    const std::string text = Repeated("这是一段正文 some words here ", 10 * 1024 * 1024);
    EXPECT_LE(VisibleLength(WrappedLabel(-16), text), 16u * 1024);
}

TEST(LabelPainting, ShortOrSingleLineCaptionIsDrawnWhole) {
    EXPECT_EQ(VisibleLength(WrappedLabel(-16), "公告"), 4u);
    LabelLook singleLine = WrappedLabel(-16);
    singleLine.WordWrap = false;
    EXPECT_EQ(VisibleLength(singleLine, Repeated("公告 notice ", 20000)), 20000u);
}

}  // namespace
