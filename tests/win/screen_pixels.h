// Reading back what the screen shows, through the screen's device context.
#pragma once

#include <windows.h>

namespace testsupport {

// The colour at a screen point, as red/green/blue of a COLORREF.
COLORREF ScreenPixel(int x, int y);

// Dispatches whatever is queued for this thread, for `milliseconds`, so that
// windows get painted and placed before they are looked at.
void PumpMessagesFor(DWORD milliseconds);

}  // namespace testsupport
