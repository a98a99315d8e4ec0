// What the main window shares with the parts it is made of (its commands, the
// side panel, the about box): the program instance, the side panel's font and
// the hook that opens the parameter dialog. createMainWindow sets them.
#pragma once

#include <windows.h>

namespace vornel {

HINSTANCE appInstance();
void setAppInstance(HINSTANCE instance);

// The font of the side-panel controls; null until the first main window.
HFONT uiFont();
void setUiFont(HFONT font);

// Dialog coupling: the main window's start-up connects the parameter dialog.
// Tests replace or empty it.
struct DialogHooks {
    void (*openParameterDialog)(HWND mainWindow) = nullptr;  // modal, without owner
};
DialogHooks& dialogHooks();

}  // namespace vornel
