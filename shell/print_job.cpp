#include "shell/print_job.h"

#include <algorithm>

namespace vornel {

PagePlacement placeOnPage(int w, int h, int pw, int ph) {
    // An empty window (minimised, zero frame) cannot be enlarged: print nothing but the frame.
    const int scale = w > 0 && h > 0 ? std::min(pw / w, ph / h) : 0;
    const int dw = w * scale;
    const int dh = h * scale;
    return {scale, (pw - dw) / 2, (ph - dh) / 2, dw, dh};
}

void printWindowImage(PrintDevice& device) {
    if (!device.beginJob()) return;
    device.captureScreen();
    const PrintRect bounds = device.windowBounds();
    int pw = 0, ph = 0;
    device.pageSize(pw, ph);
    const PagePlacement target = placeOnPage(bounds.right - bounds.left, bounds.bottom - bounds.top, pw, ph);
    device.startPage();
    device.copyImage(bounds, target);
    device.drawFrame(target);
    device.endPage();
    device.endJob();
}

}  // namespace vornel
