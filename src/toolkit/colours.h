// Colour properties as painted.
#pragma once

#include <windows.h>

#include "toolkit/definitions.h"

namespace toolkit {

// The colour a background property paints in: DefaultColour stands for the
// system's button-face colour.
inline COLORREF ResolveColour(COLORREF colour) {
    return colour == DefaultColour ? GetSysColor(COLOR_BTNFACE) : colour;
}

}  // namespace toolkit
