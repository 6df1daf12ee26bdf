#include "toolkit/window_creation.h"

#include <memory>

#include "toolkit/live_window.h"
#include "toolkit/window_classes.h"
#include "toolkit/window_frame.h"
#include "toolkit/window_procedure.h"
#include "toolkit/window_styles.h"

namespace toolkit {
namespace {

constexpr int BigIconSize = 32;
constexpr int SmallIconSize = 16;

const char* ClassNameFor(const WindowDefinition& definition) {
    return definition.ClassName && *definition.ClassName ? definition.ClassName : DefaultWindowClass;
}

// Windows gives every new overlapped window a caption bar; this takes it
// (and whatever else the definition does not ask for) away again.
void SetCaptionBits(HWND window, DWORD style) {
    ReplaceStyleBits(window, GWL_STYLE, CaptionBits, style);
    RefreshFrame(window);
}

// Creation may have given the window another size (the system's minimum
// size of a captioned window, for one).
void FitOuterRectangle(HWND window, POINT origin, int width, int height) {
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != width || outer.bottom - outer.top != height) {
        MoveWindow(window, origin.x, origin.y, width, height, TRUE);
    }
}

// An ownerless window kept off the taskbar gets a hidden tool window as its
// owner: the taskbar shows neither owned windows nor tool windows.
HWND CreateHiddenOwner() {
    return CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

UniqueIcon LoadProgramIcon(int size) {
    return UniqueIcon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size,
                                                    size, LR_DEFAULTCOLOR)));
}

void SetProgramIcons(LiveWindow& live) {
    live.BigIcon = LoadProgramIcon(BigIconSize);
    live.SmallIcon = LoadProgramIcon(SmallIconSize);
    SendMessageA(live.Handle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(live.BigIcon.get()));
    SendMessageA(live.Handle, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(live.SmallIcon.get()));
}

}  // namespace

HWND CreateLiveWindow(const WindowDefinition& definition, HWND owner) {
    const char* className = ClassNameFor(definition);
    RegisterToolkitClass(className, WindowProcedure);
    const WindowStyles styles = ResolveWindowStyles(definition, owner != nullptr);
    const POINT origin = StartingPoint(definition, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    const int width = definition.Common.Width;
    const int height = definition.Common.Height;

    auto state = std::make_unique<LiveWindow>();
    state->Definition = &definition;
    state->Owner = owner;
    state->HiddenOwner = !owner && !definition.ShowInTaskbar ? CreateHiddenOwner() : nullptr;
    state->BackColour = definition.BackColour;
    const HWND hiddenOwner = state->HiddenOwner;
    const HWND window = CreateWindowExA(styles.ExStyle, className, definition.Caption ? definition.Caption : "",
                                       styles.Style | (definition.Common.Disabled ? WS_DISABLED : 0), origin.x,
                                       origin.y, width, height, owner ? owner : hiddenOwner, nullptr,
                                       GetModuleHandleA(nullptr), &state);
    LiveWindow* live = LiveWindowFromHandle(window);
    if (!live) {
        if (window) DestroyWindow(window);
        if (hiddenOwner) DestroyWindow(hiddenOwner);
        return nullptr;
    }

    SetCaptionBits(window, styles.Style);
    FitOuterRectangle(window, origin, width, height);
    SetProgramIcons(*live);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return window;
}

}  // namespace toolkit
