#include "backdrop/layered_image_painter.h"

#include <cstring>

#include "backdrop/gdiplus_objects.h"
#include "toolkit/unique_handles.h"

namespace {

namespace gdip = Gdiplus::DllExports;

const unsigned char PngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

bool HasPngSignature(const unsigned char* image, std::size_t size) {
    return image != nullptr && size >= sizeof(PngSignature) &&
           std::memcmp(image, PngSignature, sizeof(PngSignature)) == 0;
}

// A 32-bit bottom-up surface of w x h, one (empty) colour-table entry.
struct SurfaceDescription {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[1];
};

SurfaceDescription DescribeSurface(int width, int height) {
    SurfaceDescription description{};
    description.Header.biSize = sizeof(BITMAPINFOHEADER);
    description.Header.biWidth = width;
    description.Header.biHeight = height;
    description.Header.biPlanes = 1;
    description.Header.biBitCount = 32;
    description.Header.biCompression = BI_RGB;
    // Computed in double precision so that no size can overflow on the way;
    // 0 (allowed for BI_RGB) where the result would not fit.
    const double imageBytes = static_cast<double>(width) * height * 32 / 8;
    description.Header.biSizeImage = imageBytes >= 0 && imageBytes <= 4294967295.0 ? static_cast<DWORD>(imageBytes) : 0;
    return description;
}

// The copy of the PNG bytes that GDI+ reads through a stream.
toolkit::UniqueGlobal CopyToGlobalBlock(const unsigned char* image, std::size_t size) {
    toolkit::UniqueGlobal block(GlobalAlloc(0, size));
    if (void* bytes = block ? GlobalLock(block.get()) : nullptr) {
        std::memcpy(bytes, image, size);
        GlobalUnlock(block.get());
    }
    return block;
}

}  // namespace

LayeredImagePainter::LayeredImagePainter() {
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    Gdiplus::GdiplusStartup(&GdiplusToken, &input, nullptr);
}

LayeredImagePainter::~LayeredImagePainter() { Gdiplus::GdiplusShutdown(GdiplusToken); }

LayeredImagePainter* LayeredImagePainter::Copy() const { return new LayeredImagePainter(*this); }

bool LayeredImagePainter::PaintLayered(HWND window, const unsigned char* image, std::size_t size, int opacity) {
    if (!HasPngSignature(image, size)) return false;

    toolkit::WindowDc windowDc(window);

    // The stream must not free the block: it is freed only after the image,
    // which may read from it until it is disposed of.
    toolkit::UniqueGlobal block = CopyToGlobalBlock(image, size);
    backdrop::UniqueStream stream;
    if (block) {
        IStream* created = nullptr;
        if (SUCCEEDED(CreateStreamOnHGlobal(block.get(), FALSE, &created))) stream.reset(created);
    }

    backdrop::UniqueGdiplusImage picture;
    if (stream) {
        Gdiplus::GpImage* loaded = nullptr;
        if (gdip::GdipLoadImageFromStream(stream.get(), &loaded) == Gdiplus::Ok) picture.reset(loaded);
    }
    Gdiplus::REAL imageWidth = 0.0f;
    Gdiplus::REAL imageHeight = 0.0f;
    if (picture) gdip::GdipGetImageDimension(picture.get(), &imageWidth, &imageHeight);

    // At the origin, the window rectangle's right and bottom edges are its
    // size as the system actually applied it, which is what gets painted.
    MoveWindow(window, 0, 0, static_cast<int>(imageWidth), static_cast<int>(imageHeight), FALSE);
    RECT placed{};
    GetWindowRect(window, &placed);
    const int width = placed.right;
    const int height = placed.bottom;

    SurfaceDescription description = DescribeSurface(width, height);
    toolkit::UniqueMemoryDc memoryDc(CreateCompatibleDC(windowDc.get()));
    toolkit::UniqueBitmap surface(CreateDIBSection(memoryDc.get(), reinterpret_cast<BITMAPINFO*>(&description),
                                                   DIB_RGB_COLORS, nullptr, nullptr, 0));
    // Deliberately not put back: the memory DC is deleted before the surface.
    if (surface) SelectObject(memoryDc.get(), surface.get());

    backdrop::UniqueGdiplusGraphics graphics;
    {
        Gdiplus::GpGraphics* created = nullptr;
        if (memoryDc && gdip::GdipCreateFromHDC(memoryDc.get(), &created) == Gdiplus::Ok) graphics.reset(created);
    }
    if (graphics && picture) {
        gdip::GdipDrawImageRect(graphics.get(), picture.get(), 0.0f, 0.0f, imageWidth, imageHeight);
    }

    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);

    // Half a pixel is dropped toward zero, also for a screen smaller than the
    // window (-35.5 gives -35).
    POINT destination{static_cast<LONG>(GetSystemMetrics(SM_CXSCREEN) / 2.0 - width / 2.0),
                      static_cast<LONG>(GetSystemMetrics(SM_CYSCREEN) / 2.0 - height / 2.0)};
    POINT source{0, 0};
    SIZE extent{width, height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(opacity == 0 ? 255 : opacity), AC_SRC_ALPHA};

    picture.reset();
    stream.reset();
    block.reset();
    graphics.reset();

    const BOOL updated = UpdateLayeredWindow(window, windowDc.get(), &destination, &extent, memoryDc.get(), &source,
                                             0, &blend, ULW_ALPHA);

    windowDc.release();
    memoryDc.reset();
    surface.reset();
    return updated != FALSE;
}
