// The message loop, the window-level keyboard and mouse handling that every
// queued message gets before it is dispatched, and the rule that ends the
// loop when the last toolkit window is gone.
#pragma once

#include <windows.h>

namespace toolkit {

// Applies the window-level handling to one queued message addressed to a
// live toolkit window or to one of its controls:
//  - drag by client area: a WM_LBUTTONDOWN to the window itself posts
//    WM_NCLBUTTONDOWN/HTCAPTION, so that the system drags the window;
//  - Esc closes: WM_KEYDOWN or WM_SYSKEYDOWN of VK_ESCAPE without Ctrl,
//    Shift or Alt sends WM_CLOSE to the window;
//  - a WM_LBUTTONUP to a control raises its left-button-released event.
// Returns true when the message is consumed and must not be dispatched (the
// Esc key, and a release the handler answered false to).
bool PreDispatch(const MSG& message);

// Fetches, handles as above and dispatches every message that is waiting,
// and those that they cause, then returns. A WM_QUIT met on the way is put
// back for the message loop.
void ProcessPendingMessages();

// Called after a toolkit window has been destroyed: once none is left, and
// only while RunMessageLoop runs, posts WM_QUIT with exit code 0.
void QuitIfLastWindowGone();

}  // namespace toolkit
