// The entry routine: start-up, the message loop, shutdown.
#include <windows.h>

#include "app/backdrop_opacity.h"
#include "app/program_values.h"
#include "settings/conversions.h"
#include "settings/settings_reader.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Relative names in the settings (正文路径) mean the program's folder,
    // wherever the program was started from.
    SetCurrentDirectoryA(settings::ProgramDirectory().c_str());

    DisplaySeconds = settings::TextToInt(settings::ReadSetting("主配置", "存在时间", "6"));
    BackdropAlpha = BackdropOpacityFromText(settings::ReadSetting("主配置", "背景透明度", "220"));
    return 0;
}
