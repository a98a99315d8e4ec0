// 計算条件の読込: a case read back from its CSV report into the open
// parameter dialog. The file is read and checked whole before the dialog
// sees any of it.
#include <windows.h>

#include <cstdio>
#include <string>

#include "bathymetry/spreading_relations.h"
#include "estimation/case_report_reader.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/messages.h"
#include "platform/text.h"

namespace vornel {

namespace {

// A report is a few kilobytes; anything beyond this is not one, and reading
// it whole would only cost memory.
constexpr std::size_t kMaxReportBytes = 1 << 20;

bool readReport(const std::wstring& path, std::string& bytes) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return false;
    char buffer[16384];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0 && bytes.size() < kMaxReportBytes)
        bytes.append(buffer, got);
    return !std::ferror(file.get());
}

}  // namespace

void reopenCaseFromReport(HWND mainWindow) {
    const EstimationWindows& windows = estimationWindows();
    const std::wstring caption = widen(msg::kReopenCaption);
    // The fields to fill are the parameter dialog's: it is open while a
    // contour map is shown.
    if (windows.paramDialogOpen < 0 || !windows.paramDialog) {
        platform().warn(mainWindow, caption, widen(msg::kReopenNeedsContourView));
        return;
    }
    std::wstring path;
    if (!chooseCaseReport(mainWindow, path)) return;
    std::string bytes;
    if (!readReport(path, bytes)) {
        platform().warn(mainWindow, caption, fillIn(msg::kReopenCannotRead, {path}));
        return;
    }
    CaseReadError error;
    const auto reopened = readCaseReport(bytes, spreadingRelations(), error);
    if (!reopened) {
        platform().warn(mainWindow, caption, caseReadMessage(error, path));
        return;
    }
    SendMessageW(static_cast<HWND>(windows.paramDialog), kRestoreCaseMessage, 0, reinterpret_cast<LPARAM>(&*reopened));
}

}  // namespace vornel
