#include "toolkit/window_frame.h"

namespace toolkit {

void ReplaceStyleBits(HWND window, int index, DWORD mask, DWORD bits) {
    const LONG_PTR current = GetWindowLongPtrA(window, index);
    SetWindowLongPtrA(window, index,
                      (current & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(bits & mask));
}

void RefreshFrame(HWND window) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void RepaintNow(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace toolkit
