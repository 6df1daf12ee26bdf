#include "toolkit/key_state.h"

#include <windows.h>

namespace toolkit {

int HeldModifierKeys() {
    int keys = 0;
    if (GetKeyState(VK_CONTROL) < 0) keys |= CtrlKey;
    if (GetKeyState(VK_SHIFT) < 0) keys |= ShiftKey;
    if (GetKeyState(VK_MENU) < 0) keys |= AltKey;
    return keys;
}

}  // namespace toolkit
