// The font of one label, as the settings describe it.
#pragma once

#include <cstdint>
#include <string>

namespace settings {

struct FontSpec {
    std::int32_t Angle = 0;  // tenths of a degree; always upright here
    bool Bold = false;
    bool Italic = false;
    bool Strikeout = false;
    bool Underline = false;
    std::int32_t Size = 9;       // points
    std::string Face = "宋体";  // empty means no face was given
};

}  // namespace settings
