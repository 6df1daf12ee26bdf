// The label control: a child window that paints its own frame, background
// and caption (its window text).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/label_painting.h"
#include "toolkit/live_control.h"

namespace toolkit {

struct LabelWindow : LiveControl {
    explicit LabelWindow(const ControlDefinition& definition);
    LabelLook Look;
    // The window text as the bytes it was last set from, so that a paint
    // need not read the whole text back and convert it again (with a body
    // of 10 MB that took over a second a paint). Only when CaptionKnown:
    // a copy that failed leaves the window text to be read instead.
    std::string Caption;
    bool CaptionKnown = false;
};

// The style bits that stand for a label border style.
struct BorderStyleBits {
    DWORD ExStyle;
    DWORD Style;
};
BorderStyleBits StyleBitsOf(LabelBorder border);

LRESULT CALLBACK LabelProcedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam);

// nullptr unless `label` is a live label.
LabelWindow* LabelFromHandle(HWND label);

// Creates the label hidden in `parent` and applies its design border style.
HWND CreateLabelWindow(HWND parent, const ControlDefinition& definition);

// Holds `border` within 0-6, replaces the label's border style bits with
// those of the new style, refreshes the frame and repaints.
void ApplyLabelBorder(LabelWindow& label, int border);

// Paints the live label into `dc` (WM_PAINT and WM_PRINTCLIENT).
void PaintLabelWindow(HWND label, HDC dc);

}  // namespace toolkit
