// The system's folder chooser.
#pragma once

#include <windows.h>

#include <string>

namespace vornel {

// Shows the common item dialog in folder-picking mode without owner window.
// Returns true and the chosen folder's file-system path when the user
// confirms; false when the dialog cannot be shown or the user cancels.
bool pickFolder(std::wstring& folder);

}  // namespace vornel
