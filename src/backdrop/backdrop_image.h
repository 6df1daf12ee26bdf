// The scroll picture: the complete bytes of a PNG file compiled into the
// program from assets/backdrop.png; never read from disk.
#pragma once

#include <cstddef>

extern const unsigned char BackdropImage[];
extern const std::size_t BackdropImageSize;
