// A FontSpec from the settings turned into the LOGFONT a label keeps.
#include "content/label_font.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int PixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

struct SizeCase {
    int Points;
    int Height;  // at the screen's resolution, computed below for 96 dpi cases
};

TEST(LabelFont, SizeInPointsBecomesANegativeCharacterHeight) {
    const int dpi = PixelsPerInch();
    const SizeCase cases[] = {{28, -MulDiv(28, dpi, 72)}, {12, -MulDiv(12, dpi, 72)}, {0, 0}, {-5, 0}};
    for (const SizeCase& c : cases) {
        settings::FontSpec spec;
        spec.Size = c.Points;
        EXPECT_EQ(LogFontFromSpec(spec).lfHeight, c.Height) << c.Points;
    }
    if (dpi == 96) {
        settings::FontSpec spec;
        spec.Size = 12;
        EXPECT_EQ(LogFontFromSpec(spec).lfHeight, -16);
    }
}

struct FaceCase {
    std::string Face;
    std::string Used;
};

TEST(LabelFont, UnusableFaceNamesBecomeSongTi) {
    const std::string thirty(30, 'F');
    const FaceCase cases[] = {
        {"楷体_GB2312", "楷体_GB2312"},
        {"", "宋体"},
        {thirty, thirty},                    // the longest that fits
        {std::string(31, 'F'), "宋体"},      // one more would be cut
        {std::string(200, 'F'), "宋体"},
    };
    for (const FaceCase& c : cases) {
        settings::FontSpec spec;
        spec.Face = c.Face;
        EXPECT_EQ(std::string(LogFontFromSpec(spec).lfFaceName), c.Used) << c.Face.size();
    }
}

TEST(LabelFont, StyleFlagsAndFixedFields) {
    settings::FontSpec spec;
    spec.Bold = true;
    spec.Strikeout = true;
    LOGFONTA font = LogFontFromSpec(spec);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfStrikeOut, 1);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
    EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH);

    spec = settings::FontSpec();
    spec.Italic = true;
    spec.Underline = true;
    font = LogFontFromSpec(spec);
    EXPECT_EQ(font.lfWeight, 0);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfStrikeOut, 0);
}

}  // namespace
