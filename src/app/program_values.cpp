#include "app/program_values.h"

std::int32_t DisplaySeconds = 0;
std::int32_t BackdropAlpha = 0;
std::int32_t ElapsedSeconds = 0;
LayeredImagePainter* Painter = nullptr;
