// Owns the program's GDI+ start-up and turns a PNG file held in memory into
// the whole look of a top-level window: sized to the picture, layered with
// per-pixel alpha and one overall opacity, centred on the primary screen.
#pragma once

#include <windows.h>

#include <cstddef>

class LayeredImagePainter {
public:
    // Starts GDI+; a failure leaves GdiplusToken 0 and painting then shows
    // nothing.
    LayeredImagePainter();
    // Shuts GDI+ down with the token, started or not.
    virtual ~LayeredImagePainter();

    // A plain copy holding the same token. Nothing in the program calls it;
    // destroying a copy would shut GDI+ down for the original as well.
    virtual LayeredImagePainter* Copy() const;

    // Paints `image` (the bytes of a PNG file) onto `window`, which it sizes,
    // makes layered and centres. `opacity` 0 is painted as 255. False when
    // the bytes do not start with the PNG signature (the window is then left
    // untouched), otherwise whether the layered update succeeded.
    virtual bool PaintLayered(HWND window, const unsigned char* image, std::size_t size, int opacity);

    ULONG_PTR GdiplusToken = 0;

protected:
    LayeredImagePainter(const LayeredImagePainter&) = default;
    LayeredImagePainter& operator=(const LayeredImagePainter&) = delete;
};
