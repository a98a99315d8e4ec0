// Printing a window's on-screen image: one page, the largest whole
// enlargement that fits, centred and framed by a one-pixel black line.
#pragma once

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

// The platform steps of one print, called by printWindowImage in this order.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    // The print dialog and the start of the document; false when cancelled.
    virtual bool beginJob() = 0;
    // Copies the whole screen into an off-screen image.
    virtual void captureScreen() = 0;
    // The window's visible frame in screen pixels.
    virtual PrintRect windowBounds() = 0;
    virtual void pageSize(int& width, int& height) = 0;
    virtual void startPage() = 0;
    virtual void copyImage(const PrintRect& source, const PagePlacement& target) = 0;
    virtual void drawFrame(const PagePlacement& target) = 0;
    virtual void endPage() = 0;
    virtual void endJob() = 0;
};

// The whole print command: nothing at all when the dialog is cancelled.
void printWindowImage(PrintDevice& device);

}  // namespace vornel
