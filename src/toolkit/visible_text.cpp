#include "toolkit/visible_text.h"

namespace toolkit {
namespace {

constexpr std::size_t FirstPrefix = 4096;
// The prefix's last line may be laid out differently from the whole text's;
// a second line of margin keeps a rounding of the line height from mattering.
constexpr int LinesBelowArea = 2;

bool WrapsWords(UINT format) { return (format & DT_WORDBREAK) && !(format & DT_SINGLELINE); }

int LineHeight(HDC dc) {
    TEXTMETRICA metrics{};
    return GetTextMetricsA(dc, &metrics) && metrics.tmHeight > 0 ? metrics.tmHeight : 1;
}

// The height DrawText gives the first `length` bytes in the area's width.
long LaidOutHeight(HDC dc, std::string_view text, std::size_t length, const RECT& area, UINT format) {
    RECT measured{area.left, area.top, area.right, area.top};
    DrawTextA(dc, text.data(), static_cast<int>(length), &measured, format | DT_CALCRECT);
    return measured.bottom - measured.top;
}

}  // namespace

std::size_t VisibleTextLength(HDC dc, std::string_view text, const RECT& area, UINT format) {
    if (!WrapsWords(format)) return text.size();
    const long wanted = (area.bottom - area.top) + static_cast<long>(LinesBelowArea) * LineHeight(dc);
    for (std::size_t length = FirstPrefix; length < text.size(); length *= 2) {
        if (LaidOutHeight(dc, text, length, area, format) >= wanted) return length;
    }
    return text.size();
}

}  // namespace toolkit
