#include "settings/conversions.h"

#include <cstdlib>

namespace settings {
namespace {

constexpr unsigned char FullWidthLead = 0xA3;
constexpr unsigned char SymbolLead = 0xA1;

bool IsLeadByte(unsigned char byte) { return byte >= 0x80; }

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    return at;
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

// The single-byte stand-in for a double-byte character, or 0 for none.
char AsciiFor(unsigned char lead, unsigned char trail) {
    if (lead == FullWidthLead && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    if (lead == SymbolLead) {
        switch (trail) {
            case 0xA1: return ' ';
            case 0xAB: return '~';
            case 0xEE:
            case 0xEF: return '*';
        }
    }
    return 0;
}

}  // namespace

std::string FoldFullWidth(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!IsLeadByte(byte)) {
            folded += text[i];
            continue;
        }
        if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (const char ascii = AsciiFor(byte, trail)) {
            folded += ascii;
        } else {
            folded += text[i];
            folded += text[i + 1];
        }
        ++i;
    }
    return folded;
}

std::int32_t TextToInt(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    std::size_t at = SkipBlanks(folded, 0);
    bool negative = false;
    if (at < folded.size() && (folded[at] == '+' || folded[at] == '-')) {
        negative = folded[at] == '-';
        ++at;
    }
    // Unsigned arithmetic wraps around without undefined behaviour.
    std::uint32_t value = 0;
    for (; at < folded.size() && IsDigit(folded[at]); ++at) {
        value = value * 10u + static_cast<std::uint32_t>(folded[at] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

double TextToNumber(std::string_view text) {
    const std::string folded = FoldFullWidth(text);
    const std::size_t start = SkipBlanks(folded, 0);
    std::size_t at = start;
    if (at < folded.size() && (folded[at] == '+' || folded[at] == '-')) ++at;
    const std::size_t integerEnd = SkipDigits(folded, at);
    std::size_t digits = integerEnd - at;
    at = integerEnd;
    if (at < folded.size() && folded[at] == '.') {
        const std::size_t fractionEnd = SkipDigits(folded, at + 1);
        digits += fractionEnd - (at + 1);
        at = fractionEnd;
    }
    if (digits == 0) return 0.0;

    std::string number = folded.substr(start, at - start);
    if (at < folded.size() && (folded[at] == 'e' || folded[at] == 'E' || folded[at] == 'd' || folded[at] == 'D')) {
        std::size_t exponent = at + 1;
        if (exponent < folded.size() && (folded[exponent] == '+' || folded[exponent] == '-')) ++exponent;
        const std::size_t exponentEnd = SkipDigits(folded, exponent);
        if (exponentEnd > exponent) {
            number += 'e';
            number.append(folded, at + 1, exponentEnd - (at + 1));
        }
    }
    // What is left is plain decimal text, which strtod reads the same way in
    // the "C" locale the program runs in; out of range gives +-HUGE_VAL or 0.
    return std::strtod(number.c_str(), nullptr);
}

bool IsYes(std::string_view text) { return text == "是"; }

std::uint32_t ColourFromName(std::string_view text) {
    struct NamedColour {
        std::string_view Name;
        std::uint32_t Colour;
    };
    static constexpr NamedColour Colours[] = {
        {"黑色", 0x000000}, {"红色", 0x0000FF}, {"蓝色", 0xFF0000},
        {"绿色", 0x00FF00}, {"白色", 0xFFFFFF}, {"黄色", 0x00FFFF},
        {"青色", 0x80E000}, {"紫色", 0xFF0090}, {"灰色", 0x808080},
    };
    for (const NamedColour& named : Colours) {
        if (named.Name == text) return named.Colour;
    }
    return 0x000000;
}

}  // namespace settings
