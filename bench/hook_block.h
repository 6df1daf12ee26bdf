// What the hook DLL (bench_hook.cpp), living inside a measured program,
// reports to the observer (bench_driver.cpp): one block of shared memory per
// measured process, named after its process id, created by the observer
// before the hooks are set.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/unique_handles.h"

namespace bench {

struct HookBlock {
    // Written by the observer before the hooks are set: where the label to
    // time sits in its window's client area (all zero: time no label).
    LONG LabelLeft;
    LONG LabelTop;
    LONG LabelWidth;
    LONG LabelHeight;

    // Messages the program's thread took off its queue (GetMessage, or
    // PeekMessage with PM_REMOVE), and messages sent to its windows.
    volatile LONG Retrieved;
    volatile LONG Sent;

    // QueryPerformanceCounter when the label's first WM_PAINT was taken off
    // the queue, and when it was over: when the thread took its next
    // message, a marker posted at the start.
    volatile LONGLONG FirstPaintStart;
    volatile LONGLONG FirstPaintEnd;
    // WM_PAINTs the label was sent (not queued) while visible, before its
    // first queued one: such a paint would be the first one, untimed.
    volatile LONG SentPaintsBefore;
};

struct UnmapHookBlock {
    void operator()(HookBlock* view) const { UnmapViewOfFile(view); }
};
using UniqueHookBlockView = toolkit::UniqueResource<HookBlock*, UnmapHookBlock>;

inline std::string HookBlockName(DWORD processId) { return "notice-bench-hook-" + std::to_string(processId); }

}  // namespace bench
