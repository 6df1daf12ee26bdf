// What a window definition resolves to before the window is created: its
// styles and its starting place. Pure, so the rules can be checked alone.
#pragma once

#include <windows.h>

#include "toolkit/definitions.h"

namespace toolkit {

struct WindowStyles {
    DWORD Style = 0;
    DWORD ExStyle = 0;
};

// The four style bits that creation sets to exactly what the definition
// gives (a new overlapped window gets a caption bar from the system).
constexpr DWORD CaptionBits = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

WindowStyles ResolveWindowStyles(const WindowDefinition& definition, bool owned);

// Top-left corner of the outer rectangle: centred on a screen of the given
// size (truncating toward zero), or the design left and top.
POINT StartingPoint(const WindowDefinition& definition, int screenWidth, int screenHeight);

}  // namespace toolkit
