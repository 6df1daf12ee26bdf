/* Keeps Wine's desktop process alive for a whole test session.

   Wine starts its desktop process (explorer.exe /desktop) for the first
   program that uses windows, and that process inherits the program's
   standard output and error. It ends about a second after the last program
   using the desktop has gone, and the next program starts a new one, which
   then holds *that* program's output pipe open: a caller waiting for the
   end of the output waits as long as the desktop lives. Started first, with
   its output sent nowhere, this program makes the desktop start with no
   one's pipe, and keeps it from ending. */
#include <windows.h>

int main(void) {
    MSG message;
    HWND window;
    /* Asking for the desktop window is what starts the desktop process;
       a message-only window alone would not. */
    if (!GetDesktopWindow()) return 1;
    /* A top-level window that is never shown keeps this process a user of
       the desktop. */
    window = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "notice desktop keeper", WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                             GetModuleHandleA(NULL), NULL);
    if (!window) return 1;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
