// The floor program: the least a Win32 program does to show what notice
// shows first. It starts GDI+, creates one layered pop-up, paints the same
// scroll picture onto it (520 x 670, per-pixel alpha, opacity 220, centred)
// and runs a message loop until the window is closed (WM_CLOSE), then shuts
// GDI+ down and ends with exit code 0. The benchmarks measure notice
// against it.
//
//   floor.exe [--tick]     --tick: also keep a one-second timer that does
//                          nothing, as notice keeps its countdown timer
#include <windows.h>

#include <cstring>

#include "backdrop/backdrop_image.h"
#include "backdrop/gdiplus_objects.h"
#include "floor_paint.h"

namespace {

constexpr char FloorClass[] = "NoticeBenchFloor";
constexpr BYTE FloorOpacity = 220;
constexpr UINT_PTR TickTimer = 1;
constexpr UINT TickMilliseconds = 1000;

LRESULT CALLBACK FloorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// GDI+ from start-up to shutdown.
class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiplusSession() { Gdiplus::GdiplusShutdown(token_); }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const GdiplusSession gdiplus;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FloorProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = FloorClass;
    if (!RegisterClassA(&windowClass)) return 1;

    const HWND window = CreateWindowExA(WS_EX_LAYERED, FloorClass, "floor", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        instance, nullptr);
    if (!window) return 1;
    if (!baseline::PaintPicture(window, BackdropImage, BackdropImageSize, FloorOpacity)) {
        DestroyWindow(window);
        return 1;
    }
    ShowWindow(window, SW_SHOW);
    if (std::strcmp(commandLine, "--tick") == 0) SetTimer(window, TickTimer, TickMilliseconds, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
