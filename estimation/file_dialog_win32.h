// The open and save dialogs of the estimation's files (CSV reports, wave
// records), set up one way.
#pragma once

#include <windows.h>

#include <string>

namespace vornel {

struct FileDialogRequest {
    HWND owner = nullptr;
    std::wstring title;
    const wchar_t* filters = nullptr;           // "name\0pattern\0...\0"
    const wchar_t* initialFolder = nullptr;     // nullptr: where the dialog was last
    const wchar_t* defaultExtension = nullptr;  // added by the dialog to a name typed without one
    DWORD flags = 0;                            // beyond explorer style, existing path, no folder change
    bool save = false;
};

// Shows the dialog on `name` (a buffer of `capacity` characters). The program
// folder is the current folder again afterwards, whatever the dialog did:
// every relative file name of the program is taken from it. False when
// cancelled.
bool runFileDialog(const FileDialogRequest& request, wchar_t* name, DWORD capacity);

}  // namespace vornel
