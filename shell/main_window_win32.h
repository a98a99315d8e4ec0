// The main window: registration, creation, message loop and its procedure.
#pragma once

#include <windows.h>

#include "shell/window_context_win32.h"

namespace vornel {

// Loads the title and class name, registers the class, creates UiFont and the
// main window (which runs the start-up loading) and shows it.
// Returns nullptr when the window could not be created.
HWND createMainWindow(HINSTANCE instance, int showCommand);

// Runs the message loop with accelerator table 109 until the quit message;
// returns its parameter.
int runMessageLoop();

}  // namespace vornel
