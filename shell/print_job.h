// Printing a window's image: one page, the largest whole enlargement that
// fits (or, for a window larger than the page, scaled down to fit), centred
// and framed by a one-pixel black line. The window draws itself into an
// off-screen image, so whatever covers it on the screen, or lies off the
// screen, does not matter; a dialog whose contents scroll prints all of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vornel {

struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Where the image of a w × h window goes on a page of pw × ph device pixels
// with dpiX × dpiY dots per inch (0: square device pixels). The image keeps
// its shape on paper also where the two resolutions differ.
struct PagePlacement {
    int scale;                // the whole enlargement; 0 when the image is scaled down to fit
    int x, y, width, height;  // empty only for an empty image
};
PagePlacement placeOnPage(int w, int h, int pw, int ph, int dpiX = 0, int dpiY = 0);

// The print job's name in the spooler and the printer's queue: "VORNEL", what
// is printed, and the case's title or the data's name when there is one.
std::wstring printDocumentName(const char* subject, const std::wstring& detail);

// The part of a window's own image (width × height, drawn from its window
// rectangle `window`) that is its visible frame `frame`, both in the window
// manager's physical pixels: the window rectangle less the invisible resize
// borders. Under display scaling the image is in this DPI-unaware program's
// logical pixels, so the borders are scaled across. Anything inconsistent
// gives the whole image.
PrintRect visiblePart(const PrintRect& window, const PrintRect& frame, int width, int height);

// A window as it draws itself: top-down rows of 0x00RRGGBB pixels, and the
// part of them that is printed.
struct WindowImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    PrintRect visible;
};

// A client area that scrolls vertically: where it lies in the window's image,
// how much of its content it shows and how tall that content is, and the
// width of the scroll bar right of it.
struct ScrolledClient {
    int left = 0, top = 0, width = 0, viewHeight = 0;
    int contentHeight = 0;
    int scrollBarWidth = 0;
};
// The frame of `framed` (the window as it shows now) around a client area as
// tall as its whole content, without the scroll bar: the rows above and below
// the client area as they are, the borders beside it drawn on. The client
// area itself is for the window to paint its whole content into. The visible
// part keeps its borders. `framed` as it is when the client shows everything.
WindowImage unscrolledFrame(const WindowImage& framed, const ScrolledClient& client);

// The image as the printer gets it: a packed device-independent bitmap of
// 24-bit BGR rows, bottom row first, each padded to four bytes. This form
// every printer driver takes through StretchDIBits.
struct PrinterImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bits;
};
PrinterImage toPrinterImage(const WindowImage& image);

// The platform steps of one print, called by printWindowImage in this order.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // The print dialog and the start of the document; false when cancelled
    // or refused (the device has told the user why, where there is a why).
    virtual bool beginJob() = 0;
    // How many copies the user asked for that the program prints itself.
    virtual int copies() = 0;
    // The window drawn by itself into `image`; false when it cannot be.
    virtual bool captureWindow(WindowImage& image) = 0;
    // The printable page in device pixels and the device's resolution.
    virtual void pageSize(int& width, int& height, int& dpiX, int& dpiY) = 0;
    // Each step that talks to the printer: false when the printer refused it.
    virtual bool startPage() = 0;
    // The image stretched onto the page from device-independent bits.
    virtual bool sendImage(const PrinterImage& image, const PagePlacement& target) = 0;
    virtual void drawFrame(const PagePlacement& target) = 0;
    virtual bool endPage() = 0;
    virtual bool endJob() = 0;
    // Drops the started document: nothing comes out of the printer.
    virtual void abortJob() = 0;
};

enum class PrintOutcome { Cancelled, Printed, Failed };

// The whole print command: nothing at all when the dialog is cancelled; one
// page per copy; Failed, with the document dropped, when the window or its
// image cannot be printed or the printer refused a step: a page that did not
// print is never reported as printed.
PrintOutcome printWindowImage(PrintDevice& device);

}  // namespace vornel
