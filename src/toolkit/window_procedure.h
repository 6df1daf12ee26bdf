// The window procedure of the toolkit's top-level windows.
#pragma once

#include <windows.h>

namespace toolkit {

// Posted to a window whose destruction was requested (RequestDestroy). A
// message of the toolkit's own classes, so any WM_USER number will do.
constexpr UINT DestroyRequestMessage = WM_USER + 0x0D1E;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace toolkit
