// The text-to-value rules of config.ini, with the worked values an
// administrator's file can contain. Literals are GBK at run time.
#include "settings/conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using settings::ColourFromName;
using settings::FoldFullWidth;
using settings::IsYes;
using settings::TextToInt;
using settings::TextToNumber;

struct FoldCase {
    const char* Text;
    const char* Folded;
};

class FoldFullWidthCases : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldFullWidthCases, FoldsToAscii) {
    EXPECT_EQ(FoldFullWidth(GetParam().Text), GetParam().Folded);
}

INSTANTIATE_TEST_SUITE_P(Conversions, FoldFullWidthCases, ::testing::Values(
    FoldCase{"", ""},
    FoldCase{"plain 123", "plain 123"},
    FoldCase{"０１２３４５６７８９", "0123456789"},
    FoldCase{"－＋．", "-+."},
    FoldCase{"ＡＢｃ！～", "ABc!~"},            // full-width forms of ! to ~ (A3A1-A3FE)
    FoldCase{"\xA3\xFE", "~"},                   // the last full-width form
    FoldCase{"　x", " x"},                       // ideographic space
    FoldCase{"～", "~"},                         // the wave dash A1AB
    FoldCase{"☆★", "**"},
    FoldCase{"公告", "公告"},                    // other double-byte characters stay
    FoldCase{"a\xA3\xA0z", "a\xA3\xA0z"},        // A3A0 is not a full-width form
    FoldCase{"\x81\x41", "\x81\x41"},            // an ASCII trail byte is still a trail byte
    FoldCase{"\xA3\x35", "\xA3\x35"},
    FoldCase{"12\xA3", "12"},                    // a lone lead byte at the end is dropped
    FoldCase{"\xB9", ""}));

struct IntCase {
    const char* Text;
    std::int32_t Value;
};

class TextToIntCases : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToIntCases, ReadsLeadingInteger) {
    EXPECT_EQ(TextToInt(GetParam().Text), GetParam().Value) << "text: " << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Conversions, TextToIntCases, ::testing::Values(
    IntCase{"", 0},
    IntCase{"6", 6},
    IntCase{" \t\r\n\v\f-12abc", -12},
    IntCase{"+7", 7},
    IntCase{"0x10", 0},
    IntCase{"4294967338", 42},                  // 2^32 + 42 wraps around to 42
    IntCase{"2147483648", std::numeric_limits<std::int32_t>::min()},
    IntCase{"-2147483648", std::numeric_limits<std::int32_t>::min()},
    IntCase{"99999999999", 1215752191},
    IntCase{"- 5", 0},                          // no blank between sign and digits
    IntCase{"--5", 0},
    IntCase{"4.9", 4},                          // no rounding
    IntCase{"1e3", 1},
    IntCase{"12.5", 12},
    IntCase{"２０", 20},
    IntCase{"－５", -5},
    IntCase{"　７", 7},                          // ideographic space is a blank
    IntCase{"letters", 0},
    IntCase{"1e308", 1},
    IntCase{"nan", 0},
    IntCase{"inf", 0}));

struct NumberCase {
    const char* Text;
    double Value;
};

class TextToNumberCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumberCases, ReadsLeadingNumber) {
    EXPECT_DOUBLE_EQ(TextToNumber(GetParam().Text), GetParam().Value) << "text: " << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(Conversions, TextToNumberCases, ::testing::Values(
    NumberCase{"", 0.0},
    NumberCase{"220", 220.0},
    NumberCase{"1e2", 100.0},
    NumberCase{"1d2", 100.0},
    NumberCase{"1D+2", 100.0},
    NumberCase{"1E-2", 0.01},
    NumberCase{".5", 0.5},
    NumberCase{"-.5", -0.5},
    NumberCase{"5.", 5.0},
    NumberCase{"12abc", 12.0},
    NumberCase{"0x10", 0.0},
    NumberCase{"127.9", 127.9},
    NumberCase{"  -0.9", -0.9},
    NumberCase{"1e", 1.0},                      // an exponent letter without digits is not part of the number
    NumberCase{"1e+", 1.0},
    NumberCase{"2e3.5", 2000.0},
    NumberCase{".", 0.0},
    NumberCase{"+", 0.0},
    NumberCase{"-e5", 0.0},
    NumberCase{"inf", 0.0},
    NumberCase{"nan", 0.0},
    NumberCase{"letters", 0.0},
    NumberCase{"２００", 200.0},
    NumberCase{"１．５", 1.5}));

TEST(TextToNumber, HugeExponentsSaturateInsteadOfFailing) {
    EXPECT_TRUE(std::isinf(TextToNumber("1e999")));
    EXPECT_GT(TextToNumber("1e999"), 0.0);
    EXPECT_LT(TextToNumber("-1e999"), 0.0);
    EXPECT_DOUBLE_EQ(TextToNumber("1e308"), 1e308);
    EXPECT_EQ(TextToNumber("1e-999"), 0.0);
}

TEST(IsYes, OnlyTheExactWordIsYes) {
    EXPECT_TRUE(IsYes("是"));
    // The profile reader strips the blanks around a value; whatever else
    // reaches IsYes is no.
    for (const char* no : {"", "否", "1", "yes", "true", "YES", " 是", "是 ", "是是", "\xCA"}) {
        EXPECT_FALSE(IsYes(no)) << no;
    }
}

struct ColourCase {
    const char* Name;
    std::uint32_t Colour;
};

class ColourFromNameCases : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourFromNameCases, MapsNameToColourReference) {
    EXPECT_EQ(ColourFromName(GetParam().Name), GetParam().Colour) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(Conversions, ColourFromNameCases, ::testing::Values(
    ColourCase{"黑色", 0x000000},
    ColourCase{"红色", 0x0000FF},
    ColourCase{"蓝色", 0xFF0000},
    ColourCase{"绿色", 0x00FF00},
    ColourCase{"白色", 0xFFFFFF},
    ColourCase{"黄色", 0x00FFFF},
    ColourCase{"青色", 0x80E000},               // not pure cyan
    ColourCase{"紫色", 0xFF0090},               // blue-violet, not the magenta key colour
    ColourCase{"灰色", 0x808080},
    ColourCase{"蓝", 0x000000},
    ColourCase{"blue", 0x000000},
    ColourCase{"", 0x000000},
    ColourCase{"红色 ", 0x000000}));

TEST(ColourFromName, NoNameGivesTheKeyColour) {
    for (const char* name : {"黑色", "红色", "蓝色", "绿色", "白色", "黄色", "青色", "紫色", "灰色"}) {
        EXPECT_NE(ColourFromName(name), 0xFF00FFu) << name;
    }
}

}  // namespace
