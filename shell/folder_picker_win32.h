// The system's folder chooser.
#pragma once

#include <windows.h>

#include <string>

namespace vornel {

// Shows the common item dialog in folder-picking mode, owned by `owner` (so
// that it stays in front and cannot be opened twice), offering file-system
// folders only. Returns true and the chosen folder's path when the user
// confirms; false when the dialog cannot be shown or the user cancels.
bool pickFolder(HWND owner, std::wstring& folder);

}  // namespace vornel
