// Move-only owners for Win32 handles: each releases its handle exactly once,
// on every path, with the function that handle needs.
#pragma once

#include <windows.h>

#include <utility>

namespace toolkit {

// Owns a handle released by Close(handle); Null is the value meaning "none".
template <typename Handle, typename Closer, Handle Null = Handle()>
class UniqueResource {
public:
    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    ~UniqueResource() { reset(); }
    UniqueResource(UniqueResource&& other) noexcept : handle_(std::exchange(other.handle_, Null)) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Null));
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Null; }
    Handle release() { return std::exchange(handle_, Null); }
    void reset(Handle handle = Null) {
        if (handle_ != Null) Closer()(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Null;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct FreeGlobal {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
// Icons from LoadImageA without LR_SHARED belong to their loader.
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

template <typename Object>
using UniqueGdiObject = UniqueResource<Object, DeleteGdiObject>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueRegion = UniqueGdiObject<HRGN>;
using UniqueMemoryDc = UniqueResource<HDC, DeleteMemoryDc>;
using UniqueKey = UniqueResource<HKEY, CloseRegistryKey>;
using UniqueGlobal = UniqueResource<HGLOBAL, FreeGlobal>;
using UniqueIcon = UniqueResource<HICON, DestroyIconHandle>;

// CreateFile gives INVALID_HANDLE_VALUE for failure; other calls give null.
struct UniqueFile {
    UniqueFile() = default;
    explicit UniqueFile(HANDLE handle) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    HANDLE get() const { return handle_.get(); }
    explicit operator bool() const { return static_cast<bool>(handle_); }

private:
    UniqueResource<HANDLE, CloseKernelHandle> handle_;
};

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    // Gives the context back now, where the order of releases matters.
    void release() {
        if (dc_) ReleaseDC(window_, dc_);
        dc_ = nullptr;
    }

private:
    HWND window_;
    HDC dc_;
};

// The device context of one WM_PAINT, from BeginPaint to EndPaint: given
// back also when painting stops half-way.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a DC for a scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a DC's state (clipping region, colours, modes, selections) for a
// scope and restores it at the end.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace toolkit
