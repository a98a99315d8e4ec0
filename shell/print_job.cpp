#include "shell/print_job.h"

#include <algorithm>
#include <cmath>

namespace vornel {

PagePlacement placeOnPage(int w, int h, int pw, int ph) {
    // An empty window (minimised, zero frame) cannot be enlarged: print nothing but the frame.
    const int scale = w > 0 && h > 0 ? std::min(pw / w, ph / h) : 0;
    const int dw = w * scale;
    const int dh = h * scale;
    return {scale, (pw - dw) / 2, (ph - dh) / 2, dw, dh};
}

PrintRect visiblePart(const PrintRect& window, const PrintRect& frame, int width, int height) {
    const PrintRect whole{0, 0, width, height};
    const int ww = window.right - window.left;
    const int wh = window.bottom - window.top;
    if (ww <= 0 || wh <= 0 || frame.left < window.left || frame.top < window.top || frame.right > window.right ||
        frame.bottom > window.bottom || frame.right <= frame.left || frame.bottom <= frame.top)
        return whole;
    const double sx = double(width) / ww;
    const double sy = double(height) / wh;
    const auto round = [](double v) { return static_cast<int>(std::lround(v)); };
    PrintRect part{round((frame.left - window.left) * sx), round((frame.top - window.top) * sy),
                   width - round((window.right - frame.right) * sx), height - round((window.bottom - frame.bottom) * sy)};
    if (part.right <= part.left || part.bottom <= part.top) return whole;
    return part;
}

PrinterImage toPrinterImage(const WindowImage& image) {
    PrintRect v = image.visible;
    v.left = std::clamp(v.left, 0, image.width);
    v.right = std::clamp(v.right, v.left, image.width);
    v.top = std::clamp(v.top, 0, image.height);
    v.bottom = std::clamp(v.bottom, v.top, image.height);
    if (image.pixels.size() < std::size_t(image.width) * image.height) v = {};
    PrinterImage out;
    out.width = v.right - v.left;
    out.height = v.bottom - v.top;
    const std::size_t stride = (std::size_t(out.width) * 3 + 3) & ~std::size_t(3);
    out.bits.assign(stride * out.height, 0);
    for (int row = 0; row < out.height; ++row) {
        const std::uint32_t* from = image.pixels.data() + std::size_t(v.bottom - 1 - row) * image.width + v.left;
        std::uint8_t* to = out.bits.data() + stride * row;
        for (int x = 0; x < out.width; ++x) {
            to[3 * x] = from[x] & 0xFF;
            to[3 * x + 1] = (from[x] >> 8) & 0xFF;
            to[3 * x + 2] = (from[x] >> 16) & 0xFF;
        }
    }
    return out;
}

PrintOutcome printWindowImage(PrintDevice& device) {
    if (!device.beginJob()) return PrintOutcome::Cancelled;
    WindowImage shot;
    if (!device.captureWindow(shot)) {
        device.abortJob();
        return PrintOutcome::Failed;
    }
    const PrinterImage image = toPrinterImage(shot);
    int pw = 0, ph = 0;
    device.pageSize(pw, ph);
    const PagePlacement target = placeOnPage(image.width, image.height, pw, ph);
    device.startPage();
    if (target.scale > 0 && !device.sendImage(image, target)) {
        device.abortJob();
        return PrintOutcome::Failed;
    }
    device.drawFrame(target);
    device.endPage();
    device.endJob();
    return PrintOutcome::Printed;
}

}  // namespace vornel
