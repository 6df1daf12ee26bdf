#include "app/backdrop_opacity.h"

#include <cmath>

#include "settings/conversions.h"

std::int32_t BackdropOpacityFromText(std::string_view text) {
    const double magnitude = std::fabs(std::trunc(settings::TextToNumber(text)));
    // Compared as a double, so huge values never pass through an integer.
    if (!(magnitude <= 255.0)) return 255;
    return static_cast<std::int32_t>(magnitude);
}
