// Turning the texts of config.ini into values. Platform-free: texts are the
// bytes of the ANSI code page (GBK), and nothing here calls Windows, so the
// native build can test and fuzz every rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// Replaces GBK full-width forms by their ASCII twins (so "２０" reads as
// "20"), the ideographic space by a space, "～" by "~" and "☆"/"★" by "*".
// A lead byte with nothing after it is dropped.
std::string FoldFullWidth(std::string_view text);

// Leading blanks, one sign, decimal digits; everything after is ignored.
// Overflow wraps around modulo 2^32, as 32-bit arithmetic does.
std::int32_t TextToInt(std::string_view text);

// Leading blanks, then the longest prefix that reads as a decimal number with
// an optional exponent (e, E, d or D). No hexadecimal, infinity or NaN forms.
double TextToNumber(std::string_view text);

// Yes exactly when the text is "是".
bool IsYes(std::string_view text);

// One of nine colour names to a colour reference (0x00BBGGRR); anything else
// is black.
std::uint32_t ColourFromName(std::string_view text);

}  // namespace settings
