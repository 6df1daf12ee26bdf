// Owners for the COM and GDI+ objects the painter uses.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <gdiplus.h>

#include "toolkit/unique_handles.h"

namespace backdrop {

struct DisposeGdiplusImage {
    void operator()(Gdiplus::GpImage* image) const { Gdiplus::DllExports::GdipDisposeImage(image); }
};
struct DeleteGdiplusGraphics {
    void operator()(Gdiplus::GpGraphics* graphics) const { Gdiplus::DllExports::GdipDeleteGraphics(graphics); }
};
struct ReleaseComObject {
    void operator()(IUnknown* object) const { object->Release(); }
};

using UniqueGdiplusImage = toolkit::UniqueResource<Gdiplus::GpImage*, DisposeGdiplusImage>;
using UniqueGdiplusGraphics = toolkit::UniqueResource<Gdiplus::GpGraphics*, DeleteGdiplusGraphics>;
using UniqueStream = toolkit::UniqueResource<IStream*, ReleaseComObject>;

}  // namespace backdrop
