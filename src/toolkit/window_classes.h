// The toolkit's window classes.
#pragma once

#include <windows.h>

namespace toolkit {

constexpr char DefaultWindowClass[] = "NoticeToolkitWindow";
constexpr char LabelClass[] = "NoticeToolkitLabel";
constexpr char PictureButtonClass[] = "NoticeToolkitPictureButton";
constexpr char TimerClass[] = "NoticeToolkitTimer";

// Registers `name` with `procedure` in this program unless it already is.
// Every toolkit class has the same look: double clicks, redrawn whole when
// resized, the arrow pointer, and no background brush (each window paints
// its own background).
void RegisterToolkitClass(const char* name, WNDPROC procedure);

}  // namespace toolkit
