// A loaded top-level window: its state, and finding it from its handle or
// from its definition.
#pragma once

#include <windows.h>

#include "toolkit/definitions.h"
#include "toolkit/unique_handles.h"

namespace toolkit {

// Owned by its native window from WM_NCCREATE to WM_NCDESTROY.
struct LiveWindow {
    const WindowDefinition* Definition = nullptr;
    HWND Handle = nullptr;
    HWND Owner = nullptr;  // the owner the load was given
    // A window kept off the taskbar is owned by a hidden tool window of its
    // own, which goes when the window goes.
    HWND HiddenOwner = nullptr;
    COLORREF BackColour = DefaultColour;
    // Held back until the load raises Created: creating the window and then
    // taking its caption bar away both send WM_MOVE and WM_SIZE.
    bool RaisesMoveAndSizeEvents = false;
    bool DestroyRequested = false;
    // The window shows these until it is gone, so it keeps them.
    UniqueIcon BigIcon;
    UniqueIcon SmallIcon;
};

// nullptr unless `window` is a live toolkit top-level window.
LiveWindow* LiveWindowFromHandle(HWND window);

// The first live window of this thread made from `definition`, or nullptr.
// Found by walking the thread's windows, so nothing has to be remembered
// about which windows are loaded.
LiveWindow* FindLiveWindow(const WindowDefinition& definition);

// Whether the thread still has any live toolkit window.
bool AnyLiveWindow();

}  // namespace toolkit
