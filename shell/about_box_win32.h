// The about box (dialog 103).
#pragma once

#include <windows.h>

namespace vornel {

void showAboutBox(HWND owner);

}  // namespace vornel
