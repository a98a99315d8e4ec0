#include "shell/user_guide_win32.h"

#include <shellapi.h>

#include "bathymetry/data_folder.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace vornel {

namespace {

constexpr char kGuideCaption[] = "使い方ガイド";
constexpr char kGuideNotOpened[] =
    "使い方ガイドを開けませんでした。\nファイルがないか、PDFを表示するプログラムがありません。\n%s";

}  // namespace

std::wstring userGuidePath(const std::wstring& programFolder) {
    return programFolder + L"\\docs\\ガイド.pdf";
}

void openUserGuide(HWND window) {
    const std::wstring path = userGuidePath(dataFolders().programFolder);
    // A missing file is told apart before the shell would show its own,
    // English-only, box about it.
    if (platform().fileExists(path)) {
        const auto opened = reinterpret_cast<INT_PTR>(
            ShellExecuteW(window, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        if (opened > 32) return;  // ShellExecute's values up to 32 are errors
    }
    platform().warn(window, widen(kGuideCaption), fillIn(kGuideNotOpened, {path}));
}

}  // namespace vornel
