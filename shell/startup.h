// Everything the program loads while its main window is created, in order.
#pragma once

#include "platform/platform.h"

namespace vornel {

// Sets ProgramFolder to the current folder and runs every start-up loader in
// order: harbour list, harbour index, both chart tables, both chart indexes,
// spreading relations, data menus, coastline, depth colours. `owner` owns the
// warning boxes. A missing file leaves its list empty.
void loadStartupData(WindowRef owner);

// Steps that live in the Win32 layer (the menus are window objects).
struct StartupHooks {
    void (*buildDataMenus)(WindowRef mainWindow) = nullptr;
};
StartupHooks& startupHooks();

}  // namespace vornel
