// Small PNG files made on the spot, for feeding the painter pictures of any
// size and alpha without fixture files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace testsupport {

struct Rgba {
    std::uint8_t R, G, B, A;
};

// An 8-bit RGBA PNG (colour type 6) whose pixel (x, y) is pixel(x, y).
std::string MakePng(int width, int height, const std::function<Rgba(int x, int y)>& pixel);

}  // namespace testsupport
