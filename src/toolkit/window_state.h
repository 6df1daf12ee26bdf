// The state object of a live window or control, reached from its handle.
//
// The creator passes a std::unique_ptr<State>* as CreateWindowExA's last
// argument. WM_NCCREATE takes the object over and keeps it in GWLP_USERDATA;
// WM_NCDESTROY deletes it. If creation fails before WM_NCCREATE the creator's
// pointer still owns the object; if it fails after, WM_NCDESTROY still comes.
#pragma once

#include <windows.h>

#include <memory>

namespace toolkit {

template <typename State>
void AdoptState(HWND window, LPARAM createParameters) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(createParameters);
    auto* pending = static_cast<std::unique_ptr<State>*>(create->lpCreateParams);
    if (!pending || !*pending) return;
    State* state = pending->release();
    state->Handle = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
}

template <typename State>
void DropState(HWND window) {
    delete reinterpret_cast<State*>(SetWindowLongPtrA(window, GWLP_USERDATA, 0));
}

// The state of `window` if it is a window of `procedure`'s class and still
// holds one, else nullptr. Comparing the window procedure keeps handles of
// other classes (whose GWLP_USERDATA means something else) from being read
// as ours; for an ANSI window GetWindowLongPtrA gives the procedure itself.
template <typename State>
State* StateOf(HWND window, WNDPROC procedure) {
    if (!window || GetWindowLongPtrA(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(procedure)) {
        return nullptr;
    }
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace toolkit
