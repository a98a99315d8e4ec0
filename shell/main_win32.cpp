// VORNEL.exe: the Windows entry point.
#include <windows.h>

#include <clocale>

#include "shell/main_window_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Data-file text is in the system code page; the C runtime converts it
    // with the user's locale.
    std::setlocale(LC_CTYPE, "");
    if (!vornel::createMainWindow(instance, showCommand)) return 0;
    return vornel::runMessageLoop();
}
