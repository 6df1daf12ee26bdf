#include "content/closing.h"

#include <windows.h>

#include "app/program_values.h"
#include "forms/forms.h"
#include "toolkit/toolkit.h"

void OnCloseClicked() {
    // The timer goes with its window; there is nothing to stop first.
    toolkit::RequestDestroy(BackdropWindow);
}

void OnAutoCloseTick() {
    // Counted in unsigned arithmetic: after 2^31 ticks it wraps instead of
    // being undefined.
    ElapsedSeconds = static_cast<std::int32_t>(static_cast<std::uint32_t>(ElapsedSeconds) + 1u);
    if (ElapsedSeconds >= DisplaySeconds) {
        toolkit::SetTimerPeriod(ContentWindow, AutoCloseTimerName, 0);
        toolkit::RequestDestroy(BackdropWindow);
    }
}

bool OnContentCanClose() {
    // The backdrop has no can-be-closed handler, so WM_CLOSE destroys it at
    // once, and with it the content window it owns. The answer (0, false)
    // then finds the content window gone, which the toolkit ignores.
    return toolkit::SendWindowMessage(BackdropWindow, WM_CLOSE, 0, 0) != 0;
}
