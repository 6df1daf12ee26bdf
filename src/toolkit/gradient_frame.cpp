#include "toolkit/gradient_frame.h"

#include <algorithm>

#include "toolkit/definitions.h"
#include "toolkit/unique_handles.h"

namespace toolkit {
namespace {

// A corner cell (x, y) of a frame whose vertical bands are `across` thick and
// whose horizontal bands are `along` thick belongs to the horizontal band
// when its centre lies beyond the diagonal:
//   (2x + 1) * along > (2y + 1) * across.

// How many cells at the start of row y of a horizontal band belong to the
// vertical band instead.
int VerticalCellsInRow(int y, int across, int along) {
    const int reach = (2 * y + 1) * across;
    return reach < along ? 0 : std::min(across, (reach - along) / (2 * along) + 1);
}

// How many cells at the start of column x of a vertical band belong to the
// horizontal band instead.
int HorizontalCellsInColumn(int x, int across, int along) {
    const int reach = (2 * x + 1) * along - 1;
    return reach < across ? 0 : std::min(along, (reach - across) / (2 * across) + 1);
}

int Channel(COLORREF colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

// Rounded linear interpolation of one channel, `part` of `whole` of the way.
int Mix(int from, int to, int part, int whole) {
    const int numerator = (to - from) * part * 2;
    const int rounded = numerator >= 0 ? (numerator + whole) / (2 * whole) : -((-numerator + whole) / (2 * whole));
    return from + rounded;
}

}  // namespace

FrameGradient::FrameGradient(const COLORREF (&colours)[3]) {
    for (COLORREF colour : colours) {
        if (colour != DefaultColour) colours_[count_++] = colour;
    }
}

COLORREF FrameGradient::At(int step, int steps) const {
    if (count_ == 0) return 0;
    if (count_ == 1 || steps <= 1) return colours_[0];
    // Position in units of 1/(steps-1) of a segment between two colours.
    const int whole = steps - 1;
    const int position = step * (count_ - 1);
    const int segment = std::min(position / whole, count_ - 2);
    const int part = position - segment * whole;
    const COLORREF from = colours_[segment];
    const COLORREF to = colours_[segment + 1];
    return RGB(Mix(Channel(from, 0), Channel(to, 0), part, whole), Mix(Channel(from, 8), Channel(to, 8), part, whole),
               Mix(Channel(from, 16), Channel(to, 16), part, whole));
}

std::vector<FrameLine> GradientFrameLines(int width, int height, int frameWidth) {
    std::vector<FrameLine> lines;
    if (frameWidth <= 0 || width <= 0 || height <= 0) return lines;
    const int along = std::min(frameWidth, height / 2);  // thickness of the top and bottom bands
    const int across = std::min(frameWidth, width / 2);  // thickness of the left and right bands
    auto add = [&lines](LONG left, LONG top, LONG right, LONG bottom, int step, int steps) {
        if (left < right && top < bottom) lines.push_back(FrameLine{RECT{left, top, right, bottom}, step, steps});
    };
    for (int step = 0; step < along; ++step) {
        // Each band is graded from its upper edge, but mitred from the outside.
        const int topInset = VerticalCellsInRow(step, across, along);
        add(topInset, step, width - topInset, step + 1, step, along);
        const int bottomInset = VerticalCellsInRow(along - 1 - step, across, along);
        const int row = height - along + step;
        add(bottomInset, row, width - bottomInset, row + 1, step, along);
    }
    for (int step = 0; step < across; ++step) {
        const int leftInset = HorizontalCellsInColumn(step, across, along);
        add(step, leftInset, step + 1, height - leftInset, step, across);
        const int rightInset = HorizontalCellsInColumn(across - 1 - step, across, along);
        const int column = width - across + step;
        add(column, rightInset, column + 1, height - rightInset, step, across);
    }
    return lines;
}

void DrawGradientFrame(HDC dc, const RECT& area, int frameWidth, const FrameGradient& gradient) {
    for (const FrameLine& line : GradientFrameLines(area.right - area.left, area.bottom - area.top, frameWidth)) {
        RECT placed = line.Area;
        OffsetRect(&placed, area.left, area.top);
        UniqueBrush brush(CreateSolidBrush(gradient.At(line.Step, line.Steps)));
        FillRect(dc, &placed, brush.get());
    }
}

}  // namespace toolkit
