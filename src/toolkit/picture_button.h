// The picture button: a child window that shows one of its pictures for its
// visual state and raises Clicked when the left button is released over it.
#pragma once

#include <windows.h>

#include "toolkit/live_control.h"
#include "toolkit/unique_handles.h"

namespace toolkit {

enum class ButtonState { Normal, Hover, Pressed };

struct PictureButton : LiveControl {
    // Decodes the pictures; one that cannot be decoded stays empty.
    explicit PictureButton(const ControlDefinition& definition);
    ButtonState State = ButtonState::Normal;
    bool Selected;  // the down state of a toggle button
    UniqueBitmap Normal;
    UniqueBitmap Hover;
    UniqueBitmap Pressed;
    UniqueBitmap Disabled;
};

LRESULT CALLBACK PictureButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

// nullptr unless `button` is a live picture button.
PictureButton* PictureButtonFromHandle(HWND button);

HWND CreatePictureButton(HWND parent, const ControlDefinition& definition);

// The picture for the button's state: while enabled, hover and pressed
// fall back to the normal picture when missing; while disabled, the disabled
// picture if there is one, else as when enabled. May be null.
HBITMAP PictureForState(const PictureButton& button, bool enabled);

// Paints the live button into `dc` (WM_PAINT and WM_PRINTCLIENT).
void PaintPictureButton(HWND button, HDC dc);

// Paints `width` x `height` pixels of `dc` through an off-screen bitmap:
// black, then `picture` (may be null) at (0, 0) at its own size, then one
// copy to `dc`, so a change of state never shows half drawn.
void PaintPicture(HDC dc, int width, int height, HBITMAP picture);

}  // namespace toolkit
