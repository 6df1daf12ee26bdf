// A program the release check must reject: a console program that calls a
// wide function where an ANSI one exists.
#include <windows.h>

int main() {
    wchar_t path[MAX_PATH];
    return GetModuleFileNameW(nullptr, path, MAX_PATH) == 0;
}
