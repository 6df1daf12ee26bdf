// The close button's three JPEG pictures, compiled into the program from
// assets/close-*.jpg.
#pragma once

#include <cstddef>

extern const unsigned char CloseButtonNormalPicture[];
extern const std::size_t CloseButtonNormalPictureSize;
extern const unsigned char CloseButtonHoverPicture[];
extern const std::size_t CloseButtonHoverPictureSize;
extern const unsigned char CloseButtonPressedPicture[];
extern const std::size_t CloseButtonPressedPictureSize;
