// The timer control: a hidden child window that carries a Windows timer and
// raises the periodic event on each of its ticks.
#pragma once

#include <windows.h>

#include "toolkit/live_control.h"

namespace toolkit {

// The identifier of the Windows timer on the timer's window.
constexpr UINT_PTR TimerIdentifier = 1000;

struct TimerWindow : LiveControl {
    explicit TimerWindow(const ControlDefinition& definition) : LiveControl(definition) {}
    int Period = 0;  // milliseconds; the Windows timer runs while above 0
};

LRESULT CALLBACK TimerProcedure(HWND timer, UINT message, WPARAM wParam, LPARAM lParam);

// nullptr unless `timer` is a live timer.
TimerWindow* TimerFromHandle(HWND timer);

// Creates the timer's window (never shown) and starts the timer when its
// design period is above 0.
HWND CreateTimerWindow(HWND parent, const ControlDefinition& definition);

// A negative period becomes 0; the same period changes nothing; otherwise
// the running timer is killed and, above 0, started again with the period.
void SetPeriod(TimerWindow& timer, int period);

}  // namespace toolkit
