// How the floor program paints its picture: the plain way to put a PNG held
// in memory onto a layered window with GDI+, written without anything of
// the program's own, so that it can stand as the baseline that notice is
// measured against (bench_driver, paint_bench).
#pragma once

#include <windows.h>

#include <cstddef>

#include "backdrop/gdiplus_objects.h"

namespace baseline {

// The picture decoded from PNG bytes by GDI+, or empty. GDI+ must be started.
backdrop::UniqueGdiplusImage DecodePicture(const unsigned char* png, std::size_t size);

// Decodes the picture, draws it into a 32-bit surface and hands that to
// UpdateLayeredWindow with per-pixel alpha and `opacity`, centred on the
// primary screen at the picture's size. `window` must have WS_EX_LAYERED.
// False when any step fails.
bool PaintPicture(HWND window, const unsigned char* png, std::size_t size, BYTE opacity);

}  // namespace baseline
