// Where C++ exceptions stop: at the handler or window procedure they came
// from, never further.
//
// Handlers and the toolkit's window procedures run between frames of the
// system's own code (DispatchMessage, SendMessage, CreateWindowEx). An
// exception cannot pass through those: the 32-bit build's unwinder finds no
// unwind information in them and ends the process ("terminate called after
// throwing an instance of 'std::bad_alloc'", exit code 3). Running out of
// memory for a text is the likely one. So nothing is let through:
//
// - a handler that throws counts as a handler that is not there: the event
//   has the effect it has without one (a close goes ahead, a button release
//   goes on to the control), and what the handler did before it threw stays;
// - a message whose handling throws gets the system's default processing.
//
// Only C++ exceptions are caught; a real fault (an access violation) is no
// C++ exception and still ends the process, as it must.
#pragma once

#include <windows.h>

namespace toolkit {

inline void CallHandler(void (*handler)()) noexcept {
    if (!handler) return;
    try {
        handler();
    } catch (...) {
    }
}

// The answer of a handler that answers; `withoutHandler` is what the event
// means when no handler answers it.
template <typename... Parameters, typename... Arguments>
bool AskHandler(bool (*handler)(Parameters...), bool withoutHandler, Arguments... arguments) noexcept {
    if (!handler) return withoutHandler;
    try {
        return handler(arguments...);
    } catch (...) {
        return withoutHandler;
    }
}

// Runs a window procedure's own handling of one message.
template <typename Procedure>
LRESULT CallProcedure(Procedure procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return procedure(window, message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace toolkit
