// Changing style bits of a live window and letting the system redraw its
// frame, and other small things every toolkit window needs.
#pragma once

#include <windows.h>

#include <string>

namespace toolkit {

// Sets the bits of `mask` in the style at `index` (GWL_STYLE or
// GWL_EXSTYLE) to those of `bits`, leaving the others alone. The frame is
// not redrawn until RefreshFrame.
void ReplaceStyleBits(HWND window, int index, DWORD mask, DWORD bits);

// Makes the system recompute and redraw the non-client frame after a style
// change: without SWP_FRAMECHANGED the old frame stays.
void RefreshFrame(HWND window);

// Invalidates the whole window and paints it before returning.
void RepaintNow(HWND window);

// The window text.
std::string WindowText(HWND window);

}  // namespace toolkit
