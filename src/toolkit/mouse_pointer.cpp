#include "toolkit/mouse_pointer.h"

#include "resource.h"

namespace toolkit {

HCURSOR LoadPointer(MousePointer pointer) {
    if (pointer != MousePointer::Hand) return nullptr;
    // LoadCursorA hands out a shared cursor, which must not be destroyed.
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(HAND_POINTER_CURSOR));
    return hand ? hand : LoadCursorA(nullptr, IDC_ARROW);
}

bool SetPointerOver(HWND window, MousePointer pointer, WPARAM cursorWindow, LPARAM hitTestAndMessage) {
    if (pointer == MousePointer::None || reinterpret_cast<HWND>(cursorWindow) != window ||
        LOWORD(hitTestAndMessage) != HTCLIENT) {
        return false;
    }
    SetCursor(LoadPointer(pointer));
    return true;
}

}  // namespace toolkit
