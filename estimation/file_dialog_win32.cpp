#include "estimation/file_dialog_win32.h"

// commdlg.h takes its types from windows.h
#include <commdlg.h>

#include "bathymetry/data_folder.h"
#include "platform/platform.h"

namespace vornel {

bool runFileDialog(const FileDialogRequest& request, wchar_t* name, DWORD capacity) {
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = request.filters;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name;
    ofn.nMaxFile = capacity;
    ofn.lpstrInitialDir = request.initialFolder;
    ofn.lpstrTitle = request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension;
    // No help button: there is no help to show.
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | request.flags;
    const BOOL chosen = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    const std::wstring& programFolder = dataFolders().programFolder;
    if (!programFolder.empty()) platform().setCurrentFolder(programFolder);
    return chosen != FALSE;
}

}  // namespace vornel
