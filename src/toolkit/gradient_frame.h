// The gradient frame a label with border style 6 paints inside its client
// area: four bands meeting at mitred corners, each graded across its width
// through the frame colours. Layout (which pixel lines, which step of the
// gradient) is kept apart from drawing.
#pragma once

#include <windows.h>

#include <vector>

namespace toolkit {

// The frame colours that are real colours, in order (DefaultColour entries
// mean "no colour" here and are left out).
class FrameGradient {
public:
    explicit FrameGradient(const COLORREF (&colours)[3]);
    // A gradient needs at least two real colours.
    bool Drawable() const { return count_ >= 2; }
    // The colour at `step` of `steps` pixels across a band: the first colour
    // at the first pixel, the last at the last, linear in between.
    COLORREF At(int step, int steps) const;

private:
    COLORREF colours_[3] = {};
    int count_ = 0;
};

// A 1-pixel line of one band, and where it lies across its band.
struct FrameLine {
    RECT Area;
    int Step;   // 0 at the band's upper (top, bottom band) or left (left, right band) edge
    int Steps;  // the band's thickness
};

// The lines of a frame `frameWidth` wide inside a `width` x `height` area.
// A band is at most half the area's width (left, right) or height (top,
// bottom) thick. Every pixel of the frame lies on exactly one line; in the
// corners the diagonal from the outer to the inner corner divides the bands.
std::vector<FrameLine> GradientFrameLines(int width, int height, int frameWidth);

void DrawGradientFrame(HDC dc, const RECT& area, int frameWidth, const FrameGradient& gradient);

}  // namespace toolkit
