// Turning a FontSpec from the settings into the LOGFONT a label keeps.
#pragma once

#include <windows.h>

#include "settings/font_spec.h"

// Size in points becomes a character height for the screen's resolution
// (a negative size counts as 0, the font mapper's default height); a face
// that is empty or too long for LOGFONT (31 bytes or more) becomes "宋体".
LOGFONTA LogFontFromSpec(const settings::FontSpec& spec);
