// The save dialog of the CSV report, and the open dialog that reads one back.
#include <windows.h>
// commdlg.h takes its types from windows.h
#include <commdlg.h>

#include "bathymetry/data_folder.h"
#include "estimation/csv_report.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/file_dialog_win32.h"
#include "estimation/messages.h"
#include "platform/text.h"
#include "resources/resource.h"

namespace vornel {

namespace {

// Shows the save or open dialog of CSV reports, titled `title`, on `name`
// (a buffer of `capacity` characters): filter list of string 300, starting
// in the folder of the last report, else the program folder.
bool runCsvDialog(HWND owner, const char* title, wchar_t* name, DWORD capacity, DWORD flags, bool save) {
    wchar_t filterText[513] = {};
    LoadStringW(GetModuleHandleW(nullptr), IDS_CSV_FILTER, filterText, 513);
    // The last separator became a NUL; c_str() adds the second one.
    const std::wstring filters = csvFilterList(filterText);
    const std::wstring& programFolder = dataFolders().programFolder;
    const std::wstring& initialFolder = lastCsvFolder().empty() ? programFolder : lastCsvFolder();
    FileDialogRequest request;
    request.owner = owner;
    request.title = widen(title);
    request.filters = filters.c_str();
    request.initialFolder = initialFolder.empty() ? nullptr : initialFolder.c_str();
    // A name typed without its extension gets ".csv" from the dialog itself,
    // so that its overwrite prompt asks about the file that is written.
    request.defaultExtension = save ? L"csv" : nullptr;
    request.flags = flags;
    request.save = save;
    return runFileDialog(request, name, capacity);
}

// Asks before an existing report is replaced under a name the save dialog's
// own prompt never saw; true to replace it.
bool confirmReplace(HWND owner, const std::wstring& file) {
    const std::wstring text = fillIn(msg::kCsvReplaceQuestion, {file});
    const std::wstring caption = widen(msg::kCsvDialogTitle);
    return MessageBoxW(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

int chooseCsvFile(HWND owner) {
    wchar_t name[kCsvNameCapacity] = {};
    csvFileName().copy(name, kCsvNameCapacity - 1);
    for (;;) {
        if (!runCsvDialog(owner, msg::kCsvDialogTitle, name, kCsvNameCapacity, OFN_OVERWRITEPROMPT, true)) return -1;
        std::wstring file(name);
        std::wstring folder = lastCsvFolder();
        // Where ".csv" is still added here, the file may exist: as the
        // dialog's prompt, No goes back to the dialog.
        if (acceptChosenCsvName(file, folder) && platform().fileExists(file) && !confirmReplace(owner, file)) continue;
        lastCsvFolder() = folder;
        csvFileName() = file;
        return 0;
    }
}

bool chooseCaseReport(HWND owner, std::wstring& path) {
    wchar_t name[1024] = {};
    if (!runCsvDialog(owner, msg::kReopenCaption, name, static_cast<DWORD>(std::size(name)),
                      OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, false))
        return false;
    path = name;
    // The next report is saved where this one was read, as a save would have set it.
    const std::size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) lastCsvFolder() = path.substr(0, slash);
    return true;
}

}  // namespace vornel
