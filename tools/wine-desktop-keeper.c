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
    /* A message-only window: attached to the desktop, never shown. */
    HWND window = CreateWindowExA(0, "STATIC", "notice desktop keeper", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                                  GetModuleHandleA(NULL), NULL);
    if (!window) return 1;
    while (GetMessageA(&message, NULL, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
