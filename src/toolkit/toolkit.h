// Live windows and controls made from definitions (definitions.h), and the
// operations handlers use on them. A live window is addressed by its
// definition, a live control by its window's definition and its name.
// Every operation on a window that is not loaded, or on a control name the
// window does not have, does nothing (setters) or gives 0 / false / nullptr
// / empty (getters).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/definitions.h"

namespace toolkit {

// ---- loading -----------------------------------------------------------------

// Creates the window and its controls hidden, raises Created, then (while the
// window still exists) PositionChanged and SizeChanged, then shows it with
// SW_SHOW if it is visible by definition. Returns without waiting for the
// window to close. `owner` is a loaded window that will own this one, or
// nullptr (an owner that is not loaded counts as none). Returns whether the
// window exists when the load is over.
bool LoadWindow(const WindowDefinition& window, const WindowDefinition* owner = nullptr);

// Whether the window is loaded and still exists.
bool IsLoaded(const WindowDefinition& window);

// The native handle of the live window, or nullptr.
HWND WindowHandle(const WindowDefinition& window);

// ---- window properties -------------------------------------------------------

// Screen position and outer size of a top-level window.
int WindowLeft(const WindowDefinition& window);
int WindowTop(const WindowDefinition& window);
int WindowWidth(const WindowDefinition& window);
int WindowHeight(const WindowDefinition& window);

// Moves the window keeping its size; does nothing when the position is
// already that, otherwise moves and repaints it.
void MoveWindowTo(const WindowDefinition& window, int left, int top);

void SetWindowCaption(const WindowDefinition& window, const std::string& caption);
std::string WindowCaption(const WindowDefinition& window);

// Repaints the window in the new colour (DefaultColour = button face).
void SetWindowBackColour(const WindowDefinition& window, COLORREF colour);
COLORREF WindowBackColour(const WindowDefinition& window);

// ---- closing -----------------------------------------------------------------

// Destroys the window later, from the message loop, after the calling handler
// has returned: once however often it is asked, and without WM_CLOSE (so no
// CanClose event).
void RequestDestroy(const WindowDefinition& window);

// SendMessageA to the live window; 0 when it is not loaded.
LRESULT SendWindowMessage(const WindowDefinition& window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- control properties --------------------------------------------------------

// Left/Top are clamped to -32627..32627, Width/Height to 0..32627.
void SetControlLeft(const WindowDefinition& window, const char* control, int left);
void SetControlTop(const WindowDefinition& window, const char* control, int top);
void SetControlWidth(const WindowDefinition& window, const char* control, int width);
void SetControlHeight(const WindowDefinition& window, const char* control, int height);
int ControlLeft(const WindowDefinition& window, const char* control);
int ControlTop(const WindowDefinition& window, const char* control);
int ControlWidth(const WindowDefinition& window, const char* control);
int ControlHeight(const WindowDefinition& window, const char* control);

// Shows (SW_SHOWNA) or hides the control.
void SetControlVisible(const WindowDefinition& window, const char* control, bool visible);
bool ControlVisible(const WindowDefinition& window, const char* control);

// The control's native handle (a timer's hidden window included), or nullptr.
HWND ControlHandle(const WindowDefinition& window, const char* control);

// Labels. The border style is held within 0-6 (above 6 gives 6, negative 0).
void SetLabelBorder(const WindowDefinition& window, const char* label, int border);
int LabelBorderStyle(const WindowDefinition& window, const char* label);
void SetLabelTextColour(const WindowDefinition& window, const char* label, COLORREF colour);
COLORREF LabelTextColour(const WindowDefinition& window, const char* label);
// The label keeps a copy of the record and creates its font from it at each
// paint (with the character set, precisions, quality and pitch of its own).
void SetLabelFont(const WindowDefinition& window, const char* label, const LOGFONTA& font);
bool LabelFont(const WindowDefinition& window, const char* label, LOGFONTA* font);  // false: no font set
void SetLabelCaption(const WindowDefinition& window, const char* label, const std::string& caption);
std::string LabelCaption(const WindowDefinition& window, const char* label);

// Timers: a negative period becomes 0; the same period changes nothing;
// otherwise the timer is restarted with the new period (0 stops it).
void SetTimerPeriod(const WindowDefinition& window, const char* timer, int period);
int TimerPeriod(const WindowDefinition& window, const char* timer);

// ---- message loop ----------------------------------------------------------------

// Whether any window loaded by the toolkit still exists.
bool AnyWindowExists();

// Fetches and dispatches messages, applying the window-level keyboard and
// mouse handling first, until WM_QUIT. The toolkit posts WM_QUIT (exit code
// 0) when the last of its windows has been destroyed while the loop runs.
// Returns at once when no toolkit window exists.
void RunMessageLoop();

}  // namespace toolkit
