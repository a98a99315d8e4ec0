// The save dialog of the CSV report, and the open dialog that reads one back.
#include <windows.h>
// commdlg.h takes its types from windows.h
#include <commdlg.h>

#include "estimation/csv_report.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/messages.h"
#include "platform/text.h"
#include "resources/resource.h"
#include "shell/app_state.h"

namespace vornel {

int chooseCsvFile(HWND owner) {
    wchar_t filterText[513] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_CSV_FILTER, filterText, 513);
    // The last separator became a NUL; c_str() adds the second one.
    const std::wstring filters = csvFilterList(filterText);
    const std::wstring title = widen(msg::kCsvDialogTitle);

    wchar_t name[kCsvNameCapacity] = {};
    const std::wstring& previous = csvFileName();
    previous.copy(name, kCsvNameCapacity - 1);
    const AppState& app = appState();
    const std::wstring& initialFolder = lastCsvFolder().empty() ? app.programFolder : lastCsvFolder();

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = kCsvNameCapacity;
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    // No help button: there is no help to show.
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    const BOOL chosen = GetSaveFileNameW(&ofn);
    // Every relative file name of the program is taken from the program folder.
    if (!app.programFolder.empty()) platform().setCurrentFolder(app.programFolder);
    if (!chosen) return -1;

    std::wstring file(name);
    acceptChosenCsvName(file, lastCsvFolder());
    csvFileName() = file;
    return 0;
}

bool chooseCaseReport(HWND owner, std::wstring& path) {
    wchar_t filterText[513] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_CSV_FILTER, filterText, 513);
    const std::wstring filters = csvFilterList(filterText);
    const std::wstring title = widen(msg::kReopenCaption);
    const AppState& app = appState();
    const std::wstring& initialFolder = lastCsvFolder().empty() ? app.programFolder : lastCsvFolder();

    wchar_t name[1024] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = static_cast<DWORD>(std::size(name));
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = GetOpenFileNameW(&ofn);
    if (!app.programFolder.empty()) platform().setCurrentFolder(app.programFolder);
    if (!chosen) return false;
    path = name;
    const std::size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) lastCsvFolder() = path.substr(0, slash);
    return true;
}

}  // namespace vornel
