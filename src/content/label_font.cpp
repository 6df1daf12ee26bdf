#include "content/label_font.h"

#include <cstring>

namespace {

// lfFaceName holds 32 bytes with its terminator; 30 bytes is the longest
// face name in use, and a longer one would be cut into a wrong name.
constexpr std::size_t LongestFaceName = 30;
constexpr char FallbackFace[] = "宋体";

int ScreenPixelsPerInchY() {
    HDC screen = GetDC(nullptr);
    const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return pixelsPerInch;
}

}  // namespace

LOGFONTA LogFontFromSpec(const settings::FontSpec& spec) {
    LOGFONTA font{};
    const int points = spec.Size < 0 ? 0 : spec.Size;
    font.lfHeight = -MulDiv(points, ScreenPixelsPerInchY(), 72);
    font.lfWidth = 0;
    font.lfEscapement = spec.Angle;
    font.lfOrientation = spec.Angle;
    font.lfWeight = spec.Bold ? FW_BOLD : 0;
    font.lfItalic = spec.Italic ? 1 : 0;
    font.lfUnderline = spec.Underline ? 1 : 0;
    font.lfStrikeOut = spec.Strikeout ? 1 : 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    const bool usable = !spec.Face.empty() && spec.Face.size() <= LongestFaceName;
    const char* face = usable ? spec.Face.c_str() : FallbackFace;
    std::memcpy(font.lfFaceName, face, std::strlen(face) + 1);
    return font;
}
