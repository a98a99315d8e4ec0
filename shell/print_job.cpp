#include "shell/print_job.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace vornel {

PagePlacement placeOnPage(int w, int h, int pw, int ph, int dpiX, int dpiY) {
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0) return {0, pw / 2, ph / 2, 0, 0};
    // Device pixels per image pixel at scale 1 across and down: 1 and 1 on a
    // device of square pixels, 1 and 2 on one of 600 x 1200 dpi, so that the
    // map keeps its shape on paper.
    double ax = 1.0, ay = 1.0;
    if (dpiX > 0 && dpiY > 0) {
        const double finer = std::min(dpiX, dpiY);
        ax = dpiX / finer;
        ay = dpiY / finer;
    }
    const double fit = std::min(pw / (w * ax), ph / (h * ay));
    // The largest whole enlargement keeps every pixel of the window sharp;
    // a window larger than the page is scaled down to fit instead of giving
    // an empty page.
    const int scale = static_cast<int>(std::floor(fit + 1e-9));
    const double factor = scale >= 1 ? scale : fit;
    const int dw = std::max(1, std::min(pw, static_cast<int>(std::floor(w * ax * factor + 1e-6))));
    const int dh = std::max(1, std::min(ph, static_cast<int>(std::floor(h * ay * factor + 1e-6))));
    return {scale, (pw - dw) / 2, (ph - dh) / 2, dw, dh};
}

std::wstring printDocumentName(const char* subject, const std::wstring& detail) {
    std::wstring name = L"VORNEL " + widen(subject);
    if (!detail.empty()) name += L" " + detail;
    return name;
}

WindowImage unscrolledFrame(const WindowImage& framed, const ScrolledClient& c) {
    const int hidden = c.contentHeight - c.viewHeight;
    const int clientRight = c.left + c.width;
    const bool consistent = hidden > 0 && c.left >= 0 && c.top >= 0 && c.width > 0 && c.viewHeight > 0 &&
                            c.scrollBarWidth >= 0 && clientRight + c.scrollBarWidth <= framed.width &&
                            c.top + c.viewHeight <= framed.height &&
                            framed.pixels.size() >= std::size_t(framed.width) * framed.height;
    if (!consistent) return framed;
    WindowImage out;
    out.width = framed.width - c.scrollBarWidth;
    out.height = framed.height + hidden;
    out.pixels.resize(std::size_t(out.width) * out.height);
    for (int y = 0; y < out.height; ++y) {
        // Above the client area as it is; beside it the borders of its first
        // row, repeated; below it the bottom of the frame, moved down.
        const int from = y < c.top ? y : y < c.top + c.contentHeight ? c.top : y - hidden;
        const std::uint32_t* row = framed.pixels.data() + std::size_t(from) * framed.width;
        std::uint32_t* to = out.pixels.data() + std::size_t(y) * out.width;
        for (int x = 0; x < out.width; ++x) to[x] = row[x < clientRight ? x : x + c.scrollBarWidth];
    }
    const PrintRect& v = framed.visible;
    out.visible = {v.left, v.top, v.right - c.scrollBarWidth, v.bottom + hidden};
    return out;
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
    const auto fail = [&] {
        device.abortJob();
        return PrintOutcome::Failed;
    };
    WindowImage shot;
    if (!device.captureWindow(shot)) return fail();
    const PrinterImage image = toPrinterImage(shot);
    int pw = 0, ph = 0, dpiX = 0, dpiY = 0;
    device.pageSize(pw, ph, dpiX, dpiY);
    const PagePlacement target = placeOnPage(image.width, image.height, pw, ph, dpiX, dpiY);
    if (target.width <= 0 || target.height <= 0) return fail();  // never a blank page in silence
    const int copies = std::max(1, device.copies());
    for (int copy = 0; copy < copies; ++copy) {
        if (!device.startPage() || !device.sendImage(image, target)) return fail();
        device.drawFrame(target);
        if (!device.endPage()) return fail();
    }
    if (!device.endJob()) return fail();
    return PrintOutcome::Printed;
}

}  // namespace vornel
