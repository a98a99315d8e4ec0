// The main window: registration, creation, message loop and its procedure.
#pragma once

#include <windows.h>

namespace vornel {

HINSTANCE appInstance();
// The font of the side-panel controls.
HFONT uiFont();

// Loads the title and class name, registers the class, creates UiFont and the
// main window (which runs the start-up loading) and shows it.
// Returns nullptr when the window could not be created.
HWND createMainWindow(HINSTANCE instance, int showCommand);

// Runs the message loop with accelerator table 109 until the quit message;
// returns its parameter.
int runMessageLoop();

// Dialog coupling: set by the dialogs when they exist. Each may stay empty.
struct DialogHooks {
    void (*openParameterDialog)(HWND mainWindow) = nullptr;  // modal, without owner
};
DialogHooks& dialogHooks();

}  // namespace vornel
