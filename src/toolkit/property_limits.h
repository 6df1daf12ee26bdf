// The ranges that written positions and sizes are held within. The limit is
// 32627, a little inside the 16-bit coordinate range, not 32767.
#pragma once

namespace toolkit {

constexpr int CoordinateLimit = 32627;

constexpr int ClampTo(int value, int lowest, int highest) {
    return value < lowest ? lowest : (value > highest ? highest : value);
}

// Left and top of a window or control.
constexpr int ClampPosition(int value) { return ClampTo(value, -CoordinateLimit, CoordinateLimit); }

// Width and height of a window or control.
constexpr int ClampSize(int value) { return ClampTo(value, 0, CoordinateLimit); }

}  // namespace toolkit
