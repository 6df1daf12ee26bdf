#include "toolkit/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jpeglib.h>

namespace toolkit {
namespace {

// Pictures larger than this are refused rather than allocated.
constexpr JDIMENSION MaxSide = 8192;
constexpr int BytesPerPixel = 4;

// libjpeg reports a fatal error by calling error_exit, which must not
// return. It jumps back to the setjmp of the function that made the libjpeg
// call. Only trivially destructible objects live in those functions, so the
// jump skips no destructor; everything that owns something (the decompressor
// and the bitmap) lives in DecodeJpeg, outside any jump.
struct ErrorTrap {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void JumpToTrap(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->Jump, 1); }

// Warnings and traces would go to stderr; the program shows nothing.
void IgnoreMessage(j_common_ptr) {}

class Decompressor {
public:
    Decompressor() {
        Info.err = jpeg_std_error(&Trap.Manager);
        Trap.Manager.error_exit = JumpToTrap;
        Trap.Manager.output_message = IgnoreMessage;
    }
    // Safe on a half-made or never-made decompressor: it frees whatever
    // memory manager exists (none while Info.mem is null).
    ~Decompressor() { jpeg_destroy_decompress(&Info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct Info{};
    ErrorTrap Trap{};
};

// Reads the header and starts decompressing to blue-green-red-x pixels,
// the byte order of a 32-bit DIB.
bool Start(Decompressor& decompressor, const unsigned char* bytes, unsigned long size) {
    jpeg_decompress_struct* info = &decompressor.Info;
    if (setjmp(decompressor.Trap.Jump)) return false;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, bytes, size);
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    info->out_color_space = JCS_EXT_BGRX;
    return jpeg_start_decompress(info) && info->output_components == BytesPerPixel;
}

bool ReadRows(Decompressor& decompressor, unsigned char* pixels) {
    jpeg_decompress_struct* info = &decompressor.Info;
    if (setjmp(decompressor.Trap.Jump)) return false;
    const std::size_t stride = static_cast<std::size_t>(info->output_width) * BytesPerPixel;
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = pixels + static_cast<std::size_t>(info->output_scanline) * stride;
        if (jpeg_read_scanlines(info, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(info);
    return true;
}

UniqueBitmap CreatePixels(JDIMENSION width, JDIMENSION height, unsigned char** pixels) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = static_cast<LONG>(width);
    format.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as libjpeg delivers rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    *pixels = static_cast<unsigned char*>(bits);
    return bits ? std::move(bitmap) : UniqueBitmap();
}

}  // namespace

UniqueBitmap DecodeJpeg(const PictureData& picture) {
    const unsigned long size = static_cast<unsigned long>(picture.Size);
    if (!picture.Bytes || size == 0 || size != picture.Size) return UniqueBitmap();
    Decompressor decompressor;
    if (!Start(decompressor, picture.Bytes, size)) return UniqueBitmap();
    const JDIMENSION width = decompressor.Info.output_width;
    const JDIMENSION height = decompressor.Info.output_height;
    if (width == 0 || height == 0 || width > MaxSide || height > MaxSide) return UniqueBitmap();
    unsigned char* pixels = nullptr;
    UniqueBitmap bitmap = CreatePixels(width, height, &pixels);
    if (!bitmap || !ReadRows(decompressor, pixels)) return UniqueBitmap();
    return bitmap;
}

}  // namespace toolkit
