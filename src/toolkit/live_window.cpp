#include "toolkit/live_window.h"

#include "toolkit/window_procedure.h"
#include "toolkit/window_state.h"

namespace toolkit {
namespace {

// A walk over this thread's top-level windows for the first live one made
// from `Wanted` (any live one when Wanted is null).
struct Search {
    const WindowDefinition* Wanted;
    LiveWindow* Found;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    LiveWindow* live = LiveWindowFromHandle(window);
    if (live && (!search->Wanted || live->Definition == search->Wanted)) {
        search->Found = live;
        return FALSE;
    }
    return TRUE;
}

LiveWindow* FirstLiveWindow(const WindowDefinition* wanted) {
    Search search{wanted, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

}  // namespace

LiveWindow* LiveWindowFromHandle(HWND window) { return StateOf<LiveWindow>(window, WindowProcedure); }

LiveWindow* FindLiveWindow(const WindowDefinition& definition) { return FirstLiveWindow(&definition); }

bool AnyLiveWindow() { return FirstLiveWindow(nullptr) != nullptr; }

}  // namespace toolkit
