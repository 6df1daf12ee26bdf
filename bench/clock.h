// The performance counter, which every benchmark times with: its raw ticks
// (what the hook DLL stores for the observer) and their length.
#pragma once

#include <windows.h>

namespace bench {

inline LONGLONG Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

inline double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
