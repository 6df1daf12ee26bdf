#include "backdrop/backdrop_handlers.h"

#include "app/program_values.h"
#include "backdrop/backdrop_image.h"
#include "backdrop/layered_image_painter.h"
#include "forms/forms.h"
#include "settings/settings_reader.h"
#include "toolkit/toolkit.h"

void OnBackdropCreated() {
    // With no title bar, the caption is what the taskbar button shows.
    toolkit::SetWindowCaption(BackdropWindow, settings::ReadSetting("主配置", "程序标题", "公告"));
    // Sizes the window to the picture, makes it layered and centres it; a
    // failure shows nothing and is not reported.
    Painter->PaintLayered(toolkit::WindowHandle(BackdropWindow), BackdropImage, BackdropImageSize, BackdropAlpha);
    toolkit::LoadWindow(ContentWindow, &BackdropWindow);
}

void OnBackdropPositionChanged() {
    // Also raised by the painter's moves inside the created handler, before
    // the content window exists.
    if (!toolkit::IsLoaded(ContentWindow)) return;
    toolkit::MoveWindowTo(ContentWindow, toolkit::WindowLeft(BackdropWindow), toolkit::WindowTop(BackdropWindow));
}
