// A child window that shows a figure drawn through the canvas, and the two
// ways a figure leaves the screen: the clipboard as an enhanced metafile (to
// paste into Word or Excel as a picture that stays sharp) and the printer.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "mapview/plot.h"

namespace vornel {

// Draws the whole figure into `frame`.
using FigurePainter = std::function<void(Canvas& canvas, PixelRect frame)>;

// A figure view at `box` (client pixels of `parent`), control id `id`.
HWND createFigureView(HWND parent, int id, const RECT& box);
// Shows what `painter` draws (an empty one leaves the view white).
void setFigurePainter(HWND view, FigurePainter painter);

// Puts the figure, drawn at `width` × `height` pixels, on the clipboard as an
// enhanced metafile. False when the clipboard or the metafile failed.
bool copyFigureToClipboard(HWND owner, const FigurePainter& painter, int width, int height);

enum class FigurePrint { Printed, Cancelled, Failed };

// Asks for a printer (the choice, paper and orientation are kept for the
// session) and prints the figure on one page per copy, as large as the
// printable area allows with its shape kept. The job is named
// `documentName`; a page or a job the printer rejects is Failed.
FigurePrint printFigure(HWND owner, const std::wstring& documentName, const FigurePainter& painter, int width,
                        int height);

}  // namespace vornel
