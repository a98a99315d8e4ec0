// Printing the image of a window as it is on the screen.
#pragma once

#include <windows.h>

namespace vornel {

// Shows the print dialog for `window` and starts a document named "Capture".
// Returns the printer device context, or nullptr when the user cancelled or
// the printer refused the document.
HDC beginPrintJob(HWND window);

// Commands 140 ... 142: prints `window` as large as fits on one page.
void printWindowImage(HWND window);

}  // namespace vornel
