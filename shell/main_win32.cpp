// VORNEL.exe: the Windows entry point.
#include <windows.h>

#include <clocale>

#include "platform/com_apartment_win32.h"
#include "shell/main_window_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Data-file text is Shift_JIS on every system: the C runtime's character
    // classes follow code page 932 as they do on a Japanese Windows, so that
    // the files read the same under an English or a UTF-8 system code page.
    // The program converts the text itself (platform/), never through the CRT.
    if (!std::setlocale(LC_CTYPE, ".932")) std::setlocale(LC_CTYPE, "");
    const vornel::ComApartment com;
    if (!vornel::createMainWindow(instance, showCommand)) return 0;
    return vornel::runMessageLoop();
}
