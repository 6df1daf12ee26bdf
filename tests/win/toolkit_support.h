// What the toolkit tests share: a log that test handlers write their events
// into, builders of test-only definitions, a message pump with a deadline,
// a memory canvas to paint into, held modifier keys, and JPEG pictures made
// on the spot.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/definitions.h"
#include "toolkit/unique_handles.h"

namespace toolkitsupport {

// ---- events -------------------------------------------------------------------

// Handlers append one entry per event they see.
std::vector<std::string>& EventLog();
void Record(const std::string& entry);

// ---- definitions ----------------------------------------------------------------

toolkit::WindowDefinition TestWindow(const char* name, int width = 200, int height = 150);
// A test window that starts at a given screen place instead of centred.
toolkit::WindowDefinition PlacedWindow(const char* name, RECT place);
toolkit::ControlDefinition LabelControl(const char* name, RECT place, const char* caption = "");
toolkit::ControlDefinition ButtonControl(const char* name, RECT place);
toolkit::ControlDefinition TimerControl(const char* name, int period = 0);

// Destroys the live windows of the given definitions when the scope ends, so
// that no test leaves a window behind for the next.
class DestroyAtEnd {
public:
    explicit DestroyAtEnd(std::vector<const toolkit::WindowDefinition*> windows);
    ~DestroyAtEnd();
    DestroyAtEnd(const DestroyAtEnd&) = delete;
    DestroyAtEnd& operator=(const DestroyAtEnd&) = delete;

private:
    std::vector<const toolkit::WindowDefinition*> windows_;
};

// ---- messages ---------------------------------------------------------------------

// Processes messages (through the toolkit's pre-dispatch handling) until
// `done` holds or `milliseconds` have passed; returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// Processes messages for `milliseconds`.
void PumpFor(DWORD milliseconds);

// Makes GetKeyState report Ctrl (1), Shift (2) and Alt (4) as held for the
// scope, as when the real keys are down.
class HeldKeys {
public:
    explicit HeldKeys(int keys);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE saved_[256];
};

// ---- pixels -----------------------------------------------------------------------

// A 32-bit memory DC of the given size, filled with `fill` at the start.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill);

    HDC Dc() const { return dc_.get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;

    // The smallest rectangle holding every pixel that is not `background`;
    // empty if there is none.
    RECT InkBounds(COLORREF background) const;
    // How many pixels have exactly `colour`.
    int Count(COLORREF colour) const;

private:
    int width_;
    int height_;
    const DWORD* bits_ = nullptr;
    toolkit::UniqueBitmap bitmap_;
    toolkit::UniqueMemoryDc dc_;
    toolkit::ScopedSelect selected_;  // undone before the DC and bitmap go
};

// Fills the whole canvas with one colour.
void Fill(const Canvas& canvas, COLORREF colour);

// Whether two colours differ by at most `tolerance` in every channel.
bool Near(COLORREF a, COLORREF b, int tolerance);

// ---- pictures ---------------------------------------------------------------------

// A baseline JPEG file of one solid colour.
std::vector<unsigned char> SolidJpeg(int width, int height, COLORREF colour);

}  // namespace toolkitsupport
