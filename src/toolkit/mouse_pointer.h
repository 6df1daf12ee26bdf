// The pointer shown over a window or control that has one.
#pragma once

#include <windows.h>

#include "toolkit/definitions.h"

namespace toolkit {

// The cursor for `pointer`: the hand comes from the program's own cursor
// resource HAND_POINTER_CURSOR, never from the system's IDC_HAND, and is the
// arrow when the program carries no such resource. nullptr for None.
HCURSOR LoadPointer(MousePointer pointer);

// WM_SETCURSOR of `window`: when the mouse is over its own client area and
// it has a pointer, sets that pointer and returns true; otherwise false (the
// default processing then shows the class's arrow).
bool SetPointerOver(HWND window, MousePointer pointer, WPARAM cursorWindow, LPARAM hitTestAndMessage);

}  // namespace toolkit
