// Creating a top-level window from its definition, hidden, with the styles,
// place, icons and font it is to have. Its controls come later (window_load).
#pragma once

#include <windows.h>

#include "toolkit/definitions.h"

namespace toolkit {

// Returns the new window, or nullptr when it cannot be created. `owner` is
// the native owner window, or nullptr.
HWND CreateLiveWindow(const WindowDefinition& definition, HWND owner);

}  // namespace toolkit
