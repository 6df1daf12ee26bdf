#include "toolkit_support.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "toolkit/message_loop.h"
#include "toolkit/toolkit.h"

namespace toolkitsupport {

std::vector<std::string>& EventLog() {
    static std::vector<std::string> log;
    return log;
}

void Record(const std::string& entry) { EventLog().push_back(entry); }

toolkit::WindowDefinition TestWindow(const char* name, int width, int height) {
    toolkit::WindowDefinition window{};
    window.Name = name;
    window.Common.Left = 10;
    window.Common.Top = 10;
    window.Common.Width = width;
    window.Common.Height = height;
    return window;
}

toolkit::WindowDefinition PlacedWindow(const char* name, RECT place) {
    toolkit::WindowDefinition window = TestWindow(name, place.right - place.left, place.bottom - place.top);
    window.Start = toolkit::StartPosition::Manual;
    window.Common.Left = place.left;
    window.Common.Top = place.top;
    return window;
}

namespace {

toolkit::ControlDefinition Control(const char* name, toolkit::ControlKind kind, RECT place) {
    toolkit::ControlDefinition control{};
    control.Name = name;
    control.Kind = kind;
    control.Common.Left = place.left;
    control.Common.Top = place.top;
    control.Common.Width = place.right - place.left;
    control.Common.Height = place.bottom - place.top;
    return control;
}

}  // namespace

toolkit::ControlDefinition LabelControl(const char* name, RECT place, const char* caption) {
    toolkit::ControlDefinition label = Control(name, toolkit::ControlKind::Label, place);
    label.Label.Caption = caption;
    return label;
}

toolkit::ControlDefinition ButtonControl(const char* name, RECT place) {
    return Control(name, toolkit::ControlKind::PictureButton, place);
}

toolkit::ControlDefinition TimerControl(const char* name, int period) {
    toolkit::ControlDefinition timer = Control(name, toolkit::ControlKind::Timer, RECT{0, 0, 30, 28});
    timer.Common.Visible = false;
    timer.Timer.Period = period;
    return timer;
}

DestroyAtEnd::DestroyAtEnd(std::vector<const toolkit::WindowDefinition*> windows) : windows_(std::move(windows)) {}

DestroyAtEnd::~DestroyAtEnd() {
    for (const toolkit::WindowDefinition* window : windows_) {
        while (HWND handle = toolkit::WindowHandle(*window)) DestroyWindow(handle);
    }
    toolkit::ProcessPendingMessages();
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        toolkit::ProcessPendingMessages();
        if (done()) return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

void PumpFor(DWORD milliseconds) { PumpUntil([] { return false; }, milliseconds); }

HeldKeys::HeldKeys(int keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    const struct {
        int Flag;
        int Key;
    } modifiers[] = {{1, VK_CONTROL}, {2, VK_SHIFT}, {4, VK_MENU}};
    for (const auto& modifier : modifiers) {
        state[modifier.Key] = (keys & modifier.Flag) ? 0x80 : 0;
    }
    SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

namespace {

toolkit::UniqueBitmap TopDownBitmap(int width, int height, const DWORD** pixels) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    toolkit::UniqueBitmap bitmap(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    *pixels = static_cast<const DWORD*>(bits);
    return bitmap;
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF fill)
    : width_(width),
      height_(height),
      bitmap_(TopDownBitmap(width, height, &bits_)),
      dc_(CreateCompatibleDC(nullptr)),
      selected_(dc_.get(), bitmap_.get()) {
    Fill(*this, fill);
}

void Fill(const Canvas& canvas, COLORREF colour) {
    const RECT all{0, 0, canvas.Width(), canvas.Height()};
    const toolkit::UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(canvas.Dc(), &all, brush.get());
}

COLORREF Canvas::Pixel(int x, int y) const {
    GdiFlush();
    const DWORD pixel = bits_[static_cast<std::size_t>(y) * width_ + x];  // 0x00RRGGBB
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

RECT Canvas::InkBounds(COLORREF background) const {
    RECT bounds{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) == background) continue;
            if (x < bounds.left) bounds.left = x;
            if (y < bounds.top) bounds.top = y;
            if (x + 1 > bounds.right) bounds.right = x + 1;
            if (y + 1 > bounds.bottom) bounds.bottom = y + 1;
        }
    }
    if (bounds.right == 0) return RECT{0, 0, 0, 0};
    return bounds;
}

int Canvas::Count(COLORREF colour) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) count += Pixel(x, y) == colour;
    }
    return count;
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

std::vector<unsigned char> SolidJpeg(int width, int height, COLORREF colour) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    for (int x = 0; x < width; ++x) {
        row[x * 3] = GetRValue(colour);
        row[x * 3 + 1] = GetGValue(colour);
        row[x * 3 + 2] = GetBValue(colour);
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> file(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

}  // namespace toolkitsupport
