#include "floor_paint.h"

#include <cstring>

#include "toolkit/unique_handles.h"

namespace baseline {
namespace {

namespace gdip = Gdiplus::DllExports;

// A stream that owns a movable copy of the bytes and frees it with itself.
backdrop::UniqueStream StreamOver(const unsigned char* bytes, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return backdrop::UniqueStream();
    if (void* copy = GlobalLock(block)) {
        std::memcpy(copy, bytes, size);
        GlobalUnlock(block);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return backdrop::UniqueStream();
    }
    return backdrop::UniqueStream(stream);
}

}  // namespace

backdrop::UniqueGdiplusImage DecodePicture(const unsigned char* png, std::size_t size) {
    const backdrop::UniqueStream stream = StreamOver(png, size);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (!stream || gdip::GdipCreateBitmapFromStream(stream.get(), &bitmap) != Gdiplus::Ok) {
        return backdrop::UniqueGdiplusImage();
    }
    return backdrop::UniqueGdiplusImage(bitmap);
}

bool PaintPicture(HWND window, const unsigned char* png, std::size_t size, BYTE opacity) {
    const backdrop::UniqueGdiplusImage picture = DecodePicture(png, size);
    if (!picture) return false;
    UINT width = 0;
    UINT height = 0;
    gdip::GdipGetImageWidth(picture.get(), &width);
    gdip::GdipGetImageHeight(picture.get(), &height);

    toolkit::WindowDc screen(nullptr);
    const toolkit::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO description{};
    description.bmiHeader.biSize = sizeof(description.bmiHeader);
    description.bmiHeader.biWidth = static_cast<LONG>(width);
    description.bmiHeader.biHeight = -static_cast<LONG>(height);
    description.bmiHeader.biPlanes = 1;
    description.bmiHeader.biBitCount = 32;
    description.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const toolkit::UniqueBitmap surface(
        CreateDIBSection(memory.get(), &description, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !surface) return false;
    const toolkit::ScopedSelect selected(memory.get(), surface.get());
    {
        Gdiplus::GpGraphics* created = nullptr;
        if (gdip::GdipCreateFromHDC(memory.get(), &created) != Gdiplus::Ok) return false;
        const backdrop::UniqueGdiplusGraphics graphics(created);
        gdip::GdipDrawImageRectI(graphics.get(), picture.get(), 0, 0, static_cast<INT>(width),
                                 static_cast<INT>(height));
    }

    POINT place{(GetSystemMetrics(SM_CXSCREEN) - static_cast<int>(width)) / 2,
                (GetSystemMetrics(SM_CYSCREEN) - static_cast<int>(height)) / 2};
    SIZE extent{static_cast<LONG>(width), static_cast<LONG>(height)};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, opacity, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, screen.get(), &place, &extent, memory.get(), &origin, 0, &blend,
                               ULW_ALPHA) != FALSE;
}

}  // namespace baseline
