// The entry routine: start-up, the message loop, shutdown.
#include <windows.h>

#include <cstdlib>

#include "app/backdrop_opacity.h"
#include "app/program_values.h"
#include "backdrop/layered_image_painter.h"
#include "forms/forms.h"
#include "settings/conversions.h"
#include "settings/settings_reader.h"
#include "toolkit/toolkit.h"

namespace {

// Runs once at exit, after the message loop, when both windows are gone:
// GDI+ is shut down only when nothing can draw with it any more.
void DestroyPainter() {
    delete Painter;
    Painter = nullptr;
}

void Run() {
    // Relative names in the settings (正文路径) mean the program's folder,
    // wherever the program was started from.
    SetCurrentDirectoryA(settings::ProgramDirectory().c_str());

    Painter = new LayeredImagePainter();
    std::atexit(DestroyPainter);

    DisplaySeconds = settings::TextToInt(settings::ReadSetting("主配置", "存在时间", "6"));
    BackdropAlpha = BackdropOpacityFromText(settings::ReadSetting("主配置", "背景透明度", "220"));

    toolkit::LoadWindow(BackdropWindow);
    if (toolkit::AnyWindowExists()) toolkit::RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The toolkit stops exceptions at every handler and window procedure;
    // start-up itself runs outside them. Memory running out there shows
    // nothing, silently, and the exit code is still 0.
    try {
        Run();
    } catch (...) {
    }
    return 0;
}
