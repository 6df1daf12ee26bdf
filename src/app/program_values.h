// The program-wide values: everything that outlives a single event handler.
#pragma once

#include <cstdint>

class LayeredImagePainter;

// Seconds the announcement stays up; 0 = until closed. Read once at start-up.
extern std::int32_t DisplaySeconds;
// Overall opacity of the backdrop, 0-255. Read once at start-up.
extern std::int32_t BackdropAlpha;
// One-second timer ticks so far; never reset.
extern std::int32_t ElapsedSeconds;

// The one painter, and with it GDI+, from start-up to shutdown.
extern LayeredImagePainter* Painter;
