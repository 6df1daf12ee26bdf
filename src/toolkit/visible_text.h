// How much of a word-wrapped caption can be seen in its text area.
//
// DrawText lays out every line of the text it is given, also the lines
// below the area that clipping hides, and Wine's layout time grows faster
// than the text: a 1 MB body took 12 s to draw, a 10 MB one did not finish
// in a minute, and a label draws on every paint. A wrapped label therefore
// hands DrawText only a prefix of its caption that reaches past the bottom
// of the area; the lines that show are the same as with the whole text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

namespace toolkit {

// The length of a prefix of `text` that looks, inside `area`, exactly as the
// whole text does when drawn with `format` in the DC's current font: for a
// word-wrapped format (DT_WORDBREAK without DT_SINGLELINE) the shortest of
// 4096, 8192, 16384… bytes whose lines reach two lines below the area's
// bottom, or the whole length when none does; for any other format the
// whole length.
//
// Why a prefix looks the same: word wrapping fills each line from its own
// start, so cutting the text can only change the line in which the cut
// falls, the last line of the prefix, and that one starts below the area.
std::size_t VisibleTextLength(HDC dc, std::string_view text, const RECT& area, UINT format);

}  // namespace toolkit
