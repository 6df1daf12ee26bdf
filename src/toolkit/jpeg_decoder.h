// Decoding a JPEG file held in memory into a bitmap.
#pragma once

#include "toolkit/definitions.h"
#include "toolkit/unique_handles.h"

namespace toolkit {

// A 32-bit top-down DIB section of the picture's size, or an empty owner when
// there is no picture or libjpeg cannot decode it (which counts as missing).
UniqueBitmap DecodeJpeg(const PictureData& picture);

}  // namespace toolkit
