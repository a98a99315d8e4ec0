// Printing the image of a window, rendered by the window itself (not copied
// from the screen, where other windows may cover it).
#pragma once

#include <windows.h>

namespace vornel {

// Shows the print dialog for `window` and starts a document named "Capture".
// Returns the printer device context, or nullptr when the user cancelled or
// the printer refused the document.
HDC beginPrintJob(HWND window);

// What the last print put on its page, in printer device pixels: the page
// size, the printer's resolution and where the framed image went. Tests check
// a printed file against it.
struct PrintedPage {
    int pageWidth = 0, pageHeight = 0;
    int dotsPerInchX = 0, dotsPerInchY = 0;
    int imageX = 0, imageY = 0, imageWidth = 0, imageHeight = 0, scale = 0;
};
const PrintedPage& lastPrintedPage();

// Commands 140 ... 142: prints `window` as large as fits on one page.
void printWindowImage(HWND window);

}  // namespace vornel
