#include "platform/callback_guard_win32.h"

#include <windows.h>

#include <cwchar>

namespace vornel {

void reportCallbackFault(const char* what) noexcept {
    // A fault while its box is up (a paint behind it) is not shown again.
    static bool reporting = false;
    if (reporting) return;
    reporting = true;
    // Fixed buffers: the fault may be that memory ran out.
    wchar_t text[512] =
        L"予期しないエラーのため、この操作を中断しました。VORNELはこのまま使えます。\n"
        L"入力した値と結果を確かめてから続けてください。";
    if (what && *what) {
        wchar_t detail[200] = {};
        MultiByteToWideChar(CP_ACP, 0, what, -1, detail, 199);
        std::wcsncat(text, L"\n\n(", 511 - std::wcslen(text));
        std::wcsncat(text, detail, 511 - std::wcslen(text));
        std::wcsncat(text, L")", 511 - std::wcslen(text));
    }
    HWND owner = GetActiveWindow();
    MessageBoxW(owner, text, L"VORNEL", MB_ICONERROR | MB_OK | (owner ? 0 : MB_TASKMODAL));
    reporting = false;
}

}  // namespace vornel
