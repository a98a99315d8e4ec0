#include "shell/about_box_win32.h"

#include "platform/callback_guard_win32.h"
#include "platform/text.h"
#include "resources/resource.h"
#include "shell/window_context_win32.h"
#include "version.h"

namespace vornel {

namespace {

INT_PTR CALLBACK aboutProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return guardCallback(
                [&]() -> INT_PTR {
                    const std::wstring version = widen("VORNEL  バージョン " VORNEL_VERSION_TEXT);
                    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, version.c_str());
                    return TRUE;
                },
                []() -> INT_PTR { return TRUE; });
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

void showAboutBox(HWND owner) {
    DialogBoxW(appInstance(), MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, aboutProcedure);
}

}  // namespace vornel
