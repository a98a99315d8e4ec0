// Printing the image of a window, rendered by the window itself (not copied
// from the screen, where other windows may cover it).
#pragma once

#include <windows.h>

#include <string>

#include "shell/print_job.h"

namespace vornel {

// Shows the print dialog for `window`, starting from the printer, paper and
// orientation chosen last in this session, and starts a document named
// `documentName`. Returns the printer device context (and in `copies` how
// many copies to print), or nullptr when the user cancelled or the printer
// refused the document.
HDC beginPrintJob(HWND window, const std::wstring& documentName, int* copies = nullptr);

// What the last print put on its pages, in printer device pixels: the page
// size, the printer's resolution, the image it was given and where the framed
// image went. Tests check a printed file against it.
struct PrintedPage {
    int pageWidth = 0, pageHeight = 0;
    int dotsPerInchX = 0, dotsPerInchY = 0;
    int sourceWidth = 0, sourceHeight = 0;
    int imageX = 0, imageY = 0, imageWidth = 0, imageHeight = 0, scale = 0;
    int copies = 0, pages = 0;
    std::wstring documentName;
};
const PrintedPage& lastPrintedPage();

// The window drawn by itself, also where covered or off the screen; a dialog
// whose contents scroll is drawn with all of them. False when it cannot be.
bool captureWindowImage(HWND window, WindowImage& image);

// Commands 140 ... 142: prints `window` as large as fits on one page, as a
// document named `documentName` (printDocumentName).
void printWindowImage(HWND window, const std::wstring& documentName);

}  // namespace vornel
