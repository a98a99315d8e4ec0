// Everything the program loads while its main window is created, in order.
#pragma once

#include "platform/platform.h"

namespace vornel {

// Sets ProgramFolder to the current folder and runs every start-up loader;
// `owner` owns the warning boxes. A missing file leaves its list empty.
void loadStartupData(WindowRef owner);

}  // namespace vornel
