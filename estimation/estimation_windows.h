// The windows of the estimation: the main window beside which its dialogs
// open, which owns their boxes and shows their points, and each dialog's own
// while it is open. One record for the whole run: the main window hands
// itself over while it exists, the dialogs note themselves opening and
// closing, and the main window reads that to couple the map with them.
#pragma once

#include "platform/platform.h"

namespace vornel {

struct EstimationWindows {
    WindowRef mainWindow = nullptr;
    WindowRef paramDialog = nullptr;
    WindowRef resultDialog = nullptr;
    int paramDialogOpen = -1;  // 1 open, -1 closed
    int resultDialogOpen = -1;
};

EstimationWindows& estimationWindows();
// Back to no windows (tests, and with the rest of the application state).
void resetEstimationWindows();

}  // namespace vornel
