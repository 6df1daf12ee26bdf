// The backdrop's overall opacity from the text of [主配置] 背景透明度.
#pragma once

#include <cstdint>
#include <string_view>

// The number in the text, truncated toward zero, without its sign, at most
// 255. Magnitudes beyond the 32-bit range (up to and including infinity)
// give 255 like every other value above 255. 0 is a valid result; the
// painter shows it as fully opaque.
std::int32_t BackdropOpacityFromText(std::string_view text);
