#include "toolkit/picture_button.h"

#include <windowsx.h>

#include "toolkit/exception_boundary.h"
#include "toolkit/jpeg_decoder.h"
#include "toolkit/window_classes.h"
#include "toolkit/window_frame.h"
#include "toolkit/window_state.h"

namespace toolkit {
namespace {

bool IsPushButton(const PictureButton& button) { return button.Definition->Button.Kind == ButtonKind::Push; }

void SetState(PictureButton& button, ButtonState state) {
    if (button.State == state) return;
    button.State = state;
    RepaintNow(button.Handle);
}

void Capture(HWND button) {
    if (GetCapture() != button) SetCapture(button);
}

// Releases the capture only if this button holds it, so that another
// window's capture is never taken away.
void ReleaseOwnCapture(HWND button) {
    if (GetCapture() == button) ReleaseCapture();
}

bool InsideClient(HWND button, LPARAM clientPoint) {
    RECT client;
    GetClientRect(button, &client);
    const POINT point{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    return PtInRect(&client, point) != FALSE;
}

// "Over the button" means the button is the window under the pointer, not
// merely that the point lies in its rectangle: a window on top hides it.
bool PointerOver(HWND button, LPARAM clientPoint) {
    POINT point{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ClientToScreen(button, &point);
    return WindowFromPoint(point) == button;
}

void OnPaint(HWND button) {
    const PaintDc dc(button);
    if (dc.get()) PaintPictureButton(button, dc.get());
}

void OnMouseMove(HWND button, WPARAM keys, LPARAM point) {
    PictureButton* live = PictureButtonFromHandle(button);
    if (!live) return;
    if (!IsWindowEnabled(button) || !IsPushButton(*live)) {
        ReleaseOwnCapture(button);
        return;
    }
    const bool leftDown = (keys & MK_LBUTTON) != 0;
    if (PointerOver(button, point)) {
        // Captured so that the move off the button is seen too.
        Capture(button);
        SetState(*live, leftDown ? ButtonState::Pressed : ButtonState::Hover);
    } else {
        if (!leftDown) ReleaseOwnCapture(button);
        SetState(*live, ButtonState::Normal);
    }
}

void OnLeftButtonDown(HWND button, LPARAM point) {
    PictureButton* live = PictureButtonFromHandle(button);
    if (!live || !IsWindowEnabled(button) || !IsPushButton(*live) || !InsideClient(button, point)) return;
    SetState(*live, ButtonState::Pressed);
    Capture(button);
}

void OnLeftButtonUp(HWND button, LPARAM point) {
    ReleaseOwnCapture(button);
    PictureButton* live = PictureButtonFromHandle(button);
    if (!live || !InsideClient(button, point) || !IsWindowEnabled(button)) return;
    if (IsPushButton(*live)) {
        SetState(*live, ButtonState::Normal);
    } else {
        live->Selected = !live->Selected;
        SetState(*live, live->Selected ? ButtonState::Pressed : ButtonState::Normal);
    }
    // The handler may destroy the button; nothing touches it afterwards.
    CallHandler(live->Definition->Events.Clicked);
}

LRESULT HandleMessage(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        AdoptState<LiveControl>(button, lParam);
        break;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT paints every pixel
    case WM_PAINT:
        OnPaint(button);
        return 0;
    case WM_PRINTCLIENT:
        PaintPictureButton(button, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(button, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // the class has CS_DBLCLKS: a quick second press arrives as this
        OnLeftButtonDown(button, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(button, lParam);
        return 0;
    case WM_ENABLE:
        RepaintNow(button);
        return 0;
    case WM_SETCURSOR:
        if (SetControlPointer(button, wParam, lParam)) return TRUE;
        break;
    case WM_NCDESTROY:
        DropState<LiveControl>(button);
        break;
    }
    return DefWindowProcA(button, message, wParam, lParam);
}

}  // namespace

PictureButton::PictureButton(const ControlDefinition& definition)
    : LiveControl(definition),
      Selected(definition.Button.Selected),
      Normal(DecodeJpeg(definition.Button.Normal)),
      Hover(DecodeJpeg(definition.Button.Hover)),
      Pressed(DecodeJpeg(definition.Button.Pressed)),
      Disabled(DecodeJpeg(definition.Button.Disabled)) {
    if (definition.Button.Kind == ButtonKind::Toggle && Selected) State = ButtonState::Pressed;
}

LRESULT CALLBACK PictureButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallProcedure(HandleMessage, button, message, wParam, lParam);
}

PictureButton* PictureButtonFromHandle(HWND button) {
    return static_cast<PictureButton*>(StateOf<LiveControl>(button, PictureButtonProcedure));
}

HWND CreatePictureButton(HWND parent, const ControlDefinition& definition) {
    RegisterToolkitClass(PictureButtonClass, PictureButtonProcedure);
    return CreateControlWindow(parent, PictureButtonClass, definition.Name,
                               std::make_unique<PictureButton>(definition));
}

HBITMAP PictureForState(const PictureButton& button, bool enabled) {
    if (!enabled && button.Disabled) return button.Disabled.get();
    switch (button.State) {
    case ButtonState::Normal: break;
    case ButtonState::Hover:
        if (button.Hover) return button.Hover.get();
        break;
    case ButtonState::Pressed:
        if (button.Pressed) return button.Pressed.get();
        break;
    }
    return button.Normal.get();
}

void PaintPictureButton(HWND button, HDC dc) {
    const PictureButton* live = PictureButtonFromHandle(button);
    if (!live) return;
    RECT client;
    GetClientRect(button, &client);
    PaintPicture(dc, client.right, client.bottom, PictureForState(*live, IsWindowEnabled(button) != FALSE));
}

void PaintPicture(HDC dc, int width, int height, HBITMAP picture) {
    if (width <= 0 || height <= 0) return;
    const UniqueMemoryDc canvas(CreateCompatibleDC(dc));
    const UniqueBitmap surface(CreateCompatibleBitmap(dc, width, height));
    if (!canvas || !surface) return;
    const ScopedSelect drawOn(canvas.get(), surface.get());
    const RECT all{0, 0, width, height};
    FillRect(canvas.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    BITMAP size;
    if (picture && GetObjectA(picture, sizeof size, &size)) {
        const UniqueMemoryDc source(CreateCompatibleDC(dc));
        const ScopedSelect drawFrom(source.get(), picture);
        BitBlt(canvas.get(), 0, 0, size.bmWidth, size.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
    BitBlt(dc, 0, 0, width, height, canvas.get(), 0, 0, SRCCOPY);
}

}  // namespace toolkit
