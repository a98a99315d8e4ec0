// Printing a window's image: one page, the largest whole enlargement that
// fits, centred and framed by a one-pixel black line. The window draws itself
// into an off-screen image, so whatever covers it on the screen, or lies off
// the screen, does not matter.
#pragma once

#include <cstdint>
#include <vector>

namespace vornel {

struct PrintRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Where the image of a w × h window goes on a page of pw × ph device pixels.
struct PagePlacement {
    int scale;  // 0 when the window is larger than the page
    int x, y, width, height;
};
PagePlacement placeOnPage(int w, int h, int pw, int ph);

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
    // The window drawn by itself into `image`; false when it cannot be.
    virtual bool captureWindow(WindowImage& image) = 0;
    virtual void pageSize(int& width, int& height) = 0;
    virtual void startPage() = 0;
    // The image stretched onto the page from device-independent bits;
    // false when the printer did not take it.
    virtual bool sendImage(const PrinterImage& image, const PagePlacement& target) = 0;
    virtual void drawFrame(const PagePlacement& target) = 0;
    virtual void endPage() = 0;
    virtual void endJob() = 0;
    // Drops the started document: nothing comes out of the printer.
    virtual void abortJob() = 0;
};

enum class PrintOutcome { Cancelled, Printed, Failed };

// The whole print command: nothing at all when the dialog is cancelled, and
// no page (Failed) when the window or its image cannot be printed.
PrintOutcome printWindowImage(PrintDevice& device);

}  // namespace vornel
