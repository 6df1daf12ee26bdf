#include "resource_counts.h"

#include <psapi.h>

namespace testsupport {
namespace {

// Wine's tables: GDI indices below 0x10000, USER handles 0x20 + 2 × index,
// kernel handles 4 × index. Far more than a test process ever holds.
constexpr ULONG_PTR LastTableHandle = 0xFFFF;
constexpr ULONG_PTR FirstUserHandle = 0x20;
constexpr ULONG_PTR LastKernelHandle = 0x2000;

int CountGdiObjects() {
    int count = 0;
    for (ULONG_PTR index = 1; index <= LastTableHandle; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    }
    return count;
}

int CountIconsAndCursors() {
    int count = 0;
    for (ULONG_PTR handle = FirstUserHandle; handle <= LastTableHandle; handle += 2) {
        ICONINFO info{};
        if (!GetIconInfo(reinterpret_cast<HICON>(handle), &info)) continue;
        ++count;
        // GetIconInfo hands out copies of the pictures, which are ours to delete.
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

int CountWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

int CountKernelHandles() {
    int count = 0;
    for (ULONG_PTR handle = 4; handle <= LastKernelHandle; handle += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(handle), &flags)) ++count;
    }
    return count;
}

SIZE_T CommittedBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PagefileUsage;
}

}  // namespace

std::string ResourceCounts::Describe() const {
    return std::to_string(GdiObjects) + " GDI objects, " + std::to_string(Windows) + " windows, " +
           std::to_string(IconsAndCursors) + " icons and cursors, " + std::to_string(KernelHandles) +
           " kernel handles, " + std::to_string(CommittedBytes / 1024) + " KB committed";
}

ResourceCounts CountResources() {
    ResourceCounts counts;
    // Icons first: probing them creates and deletes picture copies.
    counts.IconsAndCursors = CountIconsAndCursors();
    counts.GdiObjects = CountGdiObjects();
    counts.Windows = CountWindows();
    counts.KernelHandles = CountKernelHandles();
    counts.CommittedBytes = CommittedBytes();
    return counts;
}

}  // namespace testsupport
