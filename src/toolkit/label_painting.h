// How a label looks and how it paints itself: first where things go (the
// text area left inside the border, the DrawText format), then the drawing.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/definitions.h"

namespace toolkit {

// The painting properties of a live label (the caption is its window text).
struct LabelLook {
    LabelBorder Border = LabelBorder::None;
    int FrameWidth = 0;
    COLORREF FrameColours[3] = {DefaultColour, DefaultColour, DefaultColour};
    bool HasFont = false;
    LOGFONTA Font{};
    COLORREF TextColour = 0;
    COLORREF BackColour = DefaultColour;
    HorizontalAlignment HAlign = HorizontalAlignment::Left;
    VerticalAlignment VAlign = VerticalAlignment::Centre;
    bool WordWrap = false;
    // Set at paint time: the background is the colour key of the label's
    // layered window, so it is cut out of what the screen shows.
    bool OverColourKey = false;
};

// The look a label starts with: its design properties.
LabelLook LookOf(const LabelProperties& properties);

// Border styles are held within 0-6: above 6 gives 6, below 0 gives 0.
LabelBorder HeldBorder(int border);

// Whether the label paints a gradient frame: border style 6, a frame width
// above 0 and at least two real frame colours.
bool DrawsGradientFrame(const LabelLook& look);

// The rectangle the text is drawn in: the client area, less the gradient
// frame's width on every side when the label paints one.
RECT LabelTextArea(const RECT& client, const LabelLook& look);

// DrawText flags: DT_NOCLIP always and never DT_NOPREFIX (so "&" marks a
// mnemonic); word wrap gives DT_WORDBREAK | DT_VCENTER (which has no effect
// without DT_SINGLELINE, so wrapped text starts at the top), otherwise
// DT_SINGLELINE and the vertical alignment.
UINT LabelTextFormat(const LabelLook& look);

// The record a label creates its font from: `font` with its character set,
// precisions, quality and pitch replaced by the label's own. The quality is
// PROOF_QUALITY, except over a colour key: anti-aliasing blends the glyphs'
// edges into the background, and a background that is cut out would leave a
// fringe of the key colour around every stroke (black text shows magenta),
// so there the glyphs are drawn with solid edges.
LOGFONTA LabelFontRecord(const LOGFONTA& font, bool overColourKey = false);

// Paints the whole label into `dc`, whose client rectangle is `client`:
// frame, background in the label's colour, then the caption. Only the part
// of the DC's clipping region inside the text area is filled.
void PaintLabel(HDC dc, const RECT& client, const LabelLook& look, const std::string& caption);

}  // namespace toolkit
