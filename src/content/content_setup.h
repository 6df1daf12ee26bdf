// Setting up the content window when it is created: the see-through
// background, the three labels from the settings, and the display timer.
#pragma once

#include <string>

#include "settings/font_spec.h"

void OnContentCreated();

// Each builder reads its label's font from the settings and puts the label's
// caption into `caption`, replacing what it held.
settings::FontSpec BuildTitleFont(std::string& caption);
settings::FontSpec BuildBodyFont(std::string& caption);
settings::FontSpec BuildLinkFont(std::string& caption);
