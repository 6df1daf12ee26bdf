#include "toolkit/timer_window.h"

#include "toolkit/exception_boundary.h"
#include "toolkit/window_classes.h"
#include "toolkit/window_state.h"

namespace toolkit {
namespace {

void OnTimer(HWND timer, WPARAM identifier) {
    const TimerWindow* live = TimerFromHandle(timer);
    if (!live || identifier != TimerIdentifier) return;
    CallHandler(live->Definition->Events.Periodic);
}

void OnDestroy(HWND timer) {
    TimerWindow* live = TimerFromHandle(timer);
    if (live && live->Period > 0) KillTimer(timer, TimerIdentifier);
}

LRESULT HandleMessage(HWND timer, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        AdoptState<LiveControl>(timer, lParam);
        break;
    case WM_TIMER:
        OnTimer(timer, wParam);
        return 0;
    case WM_DESTROY:
        OnDestroy(timer);
        return 0;
    case WM_NCDESTROY:
        DropState<LiveControl>(timer);
        break;
    }
    return DefWindowProcA(timer, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK TimerProcedure(HWND timer, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallProcedure(HandleMessage, timer, message, wParam, lParam);
}

TimerWindow* TimerFromHandle(HWND timer) {
    return static_cast<TimerWindow*>(StateOf<LiveControl>(timer, TimerProcedure));
}

HWND CreateTimerWindow(HWND parent, const ControlDefinition& definition) {
    RegisterToolkitClass(TimerClass, TimerProcedure);
    const HWND timer =
        CreateControlWindow(parent, TimerClass, definition.Name, std::make_unique<TimerWindow>(definition));
    if (TimerWindow* live = TimerFromHandle(timer)) SetPeriod(*live, definition.Timer.Period);
    return timer;
}

void SetPeriod(TimerWindow& timer, int period) {
    if (period < 0) period = 0;
    if (period == timer.Period) return;
    KillTimer(timer.Handle, TimerIdentifier);
    timer.Period = period;
    if (period > 0) SetTimer(timer.Handle, TimerIdentifier, static_cast<UINT>(period), nullptr);
}

}  // namespace toolkit
