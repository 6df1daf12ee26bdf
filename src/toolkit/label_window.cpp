#include "toolkit/label_window.h"

#include "toolkit/colours.h"
#include "toolkit/exception_boundary.h"
#include "toolkit/unique_handles.h"
#include "toolkit/window_classes.h"
#include "toolkit/window_frame.h"
#include "toolkit/window_state.h"

namespace toolkit {
namespace {

constexpr DWORD BorderExStyles = WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME | WS_EX_STATICEDGE;
constexpr DWORD BorderStyles = WS_BORDER;

void OnPaint(HWND label) {
    const PaintDc dc(label);
    if (dc.get()) PaintLabelWindow(label, dc.get());
}

// Keeps the label's copy of its caption in step with its window text,
// which `text` has just become.
void RememberCaption(HWND label, const char* text) {
    LabelWindow* live = LabelFromHandle(label);
    if (!live) return;
    live->CaptionKnown = false;
    live->Caption.assign(text && !IS_INTRESOURCE(text) ? text : "");
    live->CaptionKnown = true;
}

LRESULT OnNcCreate(HWND label, WPARAM wParam, LPARAM create) {
    AdoptState<LiveControl>(label, create);
    const LRESULT created = DefWindowProcA(label, WM_NCCREATE, wParam, create);
    if (created) RememberCaption(label, reinterpret_cast<const CREATESTRUCTA*>(create)->lpszName);
    return created;
}

LRESULT OnSetText(HWND label, LPARAM text) {
    const LRESULT result = DefWindowProcA(label, WM_SETTEXT, 0, text);
    if (result) RememberCaption(label, reinterpret_cast<const char*>(text));
    RepaintNow(label);
    return result;
}

LRESULT HandleMessage(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        return OnNcCreate(label, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT paints every pixel
    case WM_PAINT:
        OnPaint(label);
        return 0;
    case WM_PRINTCLIENT:
        PaintLabelWindow(label, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETTEXT:
        return OnSetText(label, lParam);
    case WM_SETCURSOR:
        if (SetControlPointer(label, wParam, lParam)) return TRUE;
        break;
    case WM_NCDESTROY:
        DropState<LiveControl>(label);
        break;
    }
    return DefWindowProcA(label, message, wParam, lParam);
}

}  // namespace

LabelWindow::LabelWindow(const ControlDefinition& definition)
    : LiveControl(definition), Look(LookOf(definition.Label)) {}

BorderStyleBits StyleBitsOf(LabelBorder border) {
    switch (border) {
    case LabelBorder::None: return {0, 0};
    case LabelBorder::Sunken: return {WS_EX_CLIENTEDGE, 0};
    case LabelBorder::Raised: return {WS_EX_DLGMODALFRAME, 0};
    case LabelBorder::ThinSunken: return {WS_EX_STATICEDGE, 0};
    case LabelBorder::Framed: return {WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME, 0};
    case LabelBorder::SingleLine: return {0, WS_BORDER};
    case LabelBorder::Gradient: return {0, 0};  // painted by the label
    }
    return {0, 0};
}

LRESULT CALLBACK LabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallProcedure(HandleMessage, label, message, wParam, lParam);
}

LabelWindow* LabelFromHandle(HWND label) {
    return static_cast<LabelWindow*>(StateOf<LiveControl>(label, LabelProcedure));
}

HWND CreateLabelWindow(HWND parent, const ControlDefinition& definition) {
    RegisterToolkitClass(LabelClass, LabelProcedure);
    const char* caption = definition.Label.Caption ? definition.Label.Caption : "";
    const HWND label = CreateControlWindow(parent, LabelClass, caption, std::make_unique<LabelWindow>(definition));
    if (LabelWindow* live = LabelFromHandle(label)) ApplyLabelBorder(*live, static_cast<int>(live->Look.Border));
    return label;
}

void ApplyLabelBorder(LabelWindow& label, int border) {
    label.Look.Border = HeldBorder(border);
    const BorderStyleBits bits = StyleBitsOf(label.Look.Border);
    // All four bits are cleared before the new ones are set.
    ReplaceStyleBits(label.Handle, GWL_EXSTYLE, BorderExStyles, bits.ExStyle);
    ReplaceStyleBits(label.Handle, GWL_STYLE, BorderStyles, bits.Style);
    RefreshFrame(label.Handle);
    RepaintNow(label.Handle);
}

namespace {

// Whether `colour` is what the layered window `window` cuts out.
bool IsColourKeyOf(HWND window, COLORREF colour) {
    COLORREF key = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(window, &key, nullptr, &flags) && (flags & LWA_COLORKEY) &&
           key == ResolveColour(colour);
}

}  // namespace

void PaintLabelWindow(HWND label, HDC dc) {
    const LabelWindow* live = LabelFromHandle(label);
    if (!live) return;
    RECT client;
    GetClientRect(label, &client);
    LabelLook look = live->Look;
    look.OverColourKey = IsColourKeyOf(GetAncestor(label, GA_ROOT), look.BackColour);
    const std::string readBack = live->CaptionKnown ? std::string() : WindowText(label);
    PaintLabel(dc, client, look, live->CaptionKnown ? live->Caption : readBack);
}

}  // namespace toolkit
