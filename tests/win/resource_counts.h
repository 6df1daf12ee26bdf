// What a process holds, counted from inside it, for leak checks.
//
// Wine's GetGuiResources always answers 0 and GetProcessHandleCount too, so
// the counts come from probing the handle tables: Wine accepts a GDI handle
// or a USER handle by its table index alone (the upper word 0), and a kernel
// handle is a multiple of 4. The tests that use these also show that each
// count grows when something of its kind is left behind.
#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

struct ResourceCounts {
    int GdiObjects = 0;     // bitmaps, brushes, fonts, DCs, regions… (stock ones included)
    int Windows = 0;        // this thread's windows, hidden and child ones included
    int IconsAndCursors = 0;
    int KernelHandles = 0;
    SIZE_T CommittedBytes = 0;

    std::string Describe() const;
};

ResourceCounts CountResources();

}  // namespace testsupport
