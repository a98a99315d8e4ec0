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

// The main window's accelerators (table 109) for a message to the main
// window or any of its controls, whichever of them has the focus: true when
// the message became a command. The message loop and every dialog's loop
// (through a message filter the main window installs) use it.
bool translateMainWindowKeys(MSG& msg);

}  // namespace vornel
