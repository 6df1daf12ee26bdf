// The cost of painting the 520 x 670 scroll picture, in one process:
// notice's LayeredImagePainter::PaintLayered against the floor program's
// plain paint (floor_paint.cpp), each called repeatedly on a hidden
// top-level window of its own, alternately. The PNG decode, done the way
// each of them does it, is timed apart, so the rest of a paint is the
// difference.
//
//   paint_bench [--calls N]     (default 40 calls of each, after 3 unrecorded)
//
// Prints figure lines like bench_driver's, notice / floor.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "backdrop/backdrop_image.h"
#include "backdrop/gdiplus_objects.h"
#include "backdrop/layered_image_painter.h"
#include "clock.h"
#include "figures.h"
#include "floor_paint.h"
#include "toolkit/unique_handles.h"

namespace {

namespace gdip = Gdiplus::DllExports;

constexpr char WindowClass[] = "NoticeBenchPaintTarget";
constexpr int Opacity = 220;
constexpr int WarmupCalls = 3;

struct DestroyWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using UniqueWindow = toolkit::UniqueResource<HWND, DestroyWindowHandle>;

// A top-level window that is never shown.
UniqueWindow HiddenWindow(DWORD exStyle) {
    return UniqueWindow(CreateWindowExA(exStyle | WS_EX_TOOLWINDOW, WindowClass, "paint target", WS_POPUP, 0, 0, 10,
                                        10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

template <typename Call>
double Time(Call call) {
    const LONGLONG start = bench::Ticks();
    call();
    return bench::Milliseconds(bench::Ticks() - start);
}

// The decode as PaintLayered does it: a fixed global block that the stream
// does not own, GdipLoadImageFromStream, the picture's size; all released.
bool DecodeAsPainter() {
    const toolkit::UniqueGlobal block(GlobalAlloc(0, BackdropImageSize));
    if (!block) return false;
    std::memcpy(GlobalLock(block.get()), BackdropImage, BackdropImageSize);
    GlobalUnlock(block.get());
    IStream* created = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block.get(), FALSE, &created))) return false;
    const backdrop::UniqueStream stream(created);
    Gdiplus::GpImage* loaded = nullptr;
    if (gdip::GdipLoadImageFromStream(stream.get(), &loaded) != Gdiplus::Ok) return false;
    const backdrop::UniqueGdiplusImage picture(loaded);
    Gdiplus::REAL width = 0;
    Gdiplus::REAL height = 0;
    return gdip::GdipGetImageDimension(picture.get(), &width, &height) == Gdiplus::Ok;
}

bool DecodeAsFloor() {
    const backdrop::UniqueGdiplusImage picture = baseline::DecodePicture(BackdropImage, BackdropImageSize);
    UINT width = 0;
    return picture && gdip::GdipGetImageWidth(picture.get(), &width) == Gdiplus::Ok && width > 0;
}

struct Samples {
    std::vector<double> Paint;
    std::vector<double> Decode;
    std::vector<double> Rest;
};

int Run(int calls) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WindowClass;
    if (!RegisterClassA(&windowClass)) {
        std::fprintf(stderr, "paint_bench: cannot register the window class\n");
        return 1;
    }
    // Starts GDI+ for both, as notice's start-up does.
    LayeredImagePainter painter;
    const UniqueWindow noticeWindow = HiddenWindow(0);
    const UniqueWindow floorWindow = HiddenWindow(WS_EX_LAYERED);
    if (!noticeWindow || !floorWindow) {
        std::fprintf(stderr, "paint_bench: cannot create the hidden windows\n");
        return 1;
    }

    const auto paintNotice = [&] {
        return painter.PaintLayered(noticeWindow.get(), BackdropImage, BackdropImageSize, Opacity);
    };
    const auto paintFloor = [&] {
        return baseline::PaintPicture(floorWindow.get(), BackdropImage, BackdropImageSize, Opacity);
    };
    bool painted = true;
    Samples notice;
    Samples floor;
    for (int i = -WarmupCalls; i < calls; ++i) {
        // Alternated, so that anything else on the machine weighs on both.
        double noticePaint = 0;
        double floorPaint = 0;
        if (i % 2 == 0) {
            noticePaint = Time([&] { painted &= paintNotice(); });
            floorPaint = Time([&] { painted &= paintFloor(); });
        } else {
            floorPaint = Time([&] { painted &= paintFloor(); });
            noticePaint = Time([&] { painted &= paintNotice(); });
        }
        const double noticeDecode = Time([&] { painted &= DecodeAsPainter(); });
        const double floorDecode = Time([&] { painted &= DecodeAsFloor(); });
        if (i < 0) continue;
        notice.Paint.push_back(noticePaint);
        notice.Decode.push_back(noticeDecode);
        notice.Rest.push_back(noticePaint - noticeDecode);
        floor.Paint.push_back(floorPaint);
        floor.Decode.push_back(floorDecode);
        floor.Rest.push_back(floorPaint - floorDecode);
    }
    if (!painted) {
        std::fprintf(stderr, "paint_bench: a paint or decode of the scroll picture failed\n");
        return 1;
    }
    RECT placed{};
    GetWindowRect(noticeWindow.get(), &placed);
    if (placed.right - placed.left != 520 || placed.bottom - placed.top != 670) {
        std::fprintf(stderr, "paint_bench: PaintLayered did not size the window to 520 x 670\n");
        return 1;
    }

    const auto line = [](const char* name, const std::vector<double>& n, const std::vector<double>& f) {
        std::printf("%s\n", bench::FigureLine(name, "ms", bench::SpreadOf(n), bench::SpreadOf(f), 2).c_str());
    };
    line("PaintLayered per call", notice.Paint, floor.Paint);
    line("PaintLayered PNG decode per call", notice.Decode, floor.Decode);
    line("PaintLayered rest per call", notice.Rest, floor.Rest);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int calls = 40;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        char* end = nullptr;
        if (option == "--calls" && i + 1 < argc) {
            calls = static_cast<int>(std::strtol(argv[++i], &end, 10));
            if (*end || calls < 1) {
                std::fprintf(stderr, "paint_bench: --calls needs a whole number of at least 1\n");
                return 2;
            }
        } else {
            std::fprintf(stderr, "paint_bench: unknown option %s (usage: paint_bench [--calls N])\n", option.c_str());
            return 2;
        }
    }
    return Run(calls);
}
