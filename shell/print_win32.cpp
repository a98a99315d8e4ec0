#include "shell/print_win32.h"

#include <commdlg.h>
#include <dwmapi.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/text.h"
#include "shell/gdi_guards_win32.h"
#include "shell/print_job.h"

#ifndef PW_RENDERFULLCONTENT
#define PW_RENDERFULLCONTENT 0x00000002
#endif

namespace vornel {

namespace {

PrintedPage printedPage;
// Set while a print runs (its dialog, the printer's own save dialog, the
// page): a print command that arrives meanwhile does nothing.
bool printing = false;

// The window rectangle in the window manager's physical pixels; the same as
// GetWindowRect unless the display is scaled.
PrintRect physicalWindowRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    using ToPhysical = BOOL(WINAPI*)(HWND, POINT*);
    // Windows 8.1 and later; where it is missing there is no scaling to undo.
    static const auto toPhysical = reinterpret_cast<ToPhysical>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "LogicalToPhysicalPointForPerMonitorDPI")));
    if (toPhysical) {
        POINT p[2] = {corners[0], corners[1]};
        if (toPhysical(window, &p[0]) && toPhysical(window, &p[1])) corners[0] = p[0], corners[1] = p[1];
    }
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// Paints one layer of a window through a bitmap of its own at (x, y) of
// `dc`: controls clip to their rectangle in device pixels, so they paint at
// the origin of a DC. The bitmap starts as what lies beneath, which shows
// where the window leaves parts unpainted.
template <typename Paint>
void paintLayer(HDC dc, int x, int y, int width, int height, Paint paint) {
    if (width <= 0 || height <= 0) return;
    OwnedDC memory(CreateCompatibleDC(dc));
    OwnedObject bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!memory.get() || !bitmap.get()) return;
    SelectedObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, dc, x, y, SRCCOPY);
    paint(memory.get());
    BitBlt(dc, x, y, width, height, memory.get(), 0, 0, SRCCOPY);
}

// Draws `window`'s own painting into `dc`, whose origin is the top-left corner
// of `top`'s window rectangle: its borders (when `withFrame`), its client
// area, and over that each visible child, bottom first, clipped to the client area.
void paintWindowTree(HDC dc, HWND top, HWND window, bool withFrame) {
    RECT base, outer, client;
    GetWindowRect(top, &base);
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int x = origin.x - base.left, y = origin.y - base.top;
    if (withFrame)
        paintLayer(dc, outer.left - base.left, outer.top - base.top, outer.right - outer.left, outer.bottom - outer.top,
                   [&](HDC layer) { SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(layer), PRF_NONCLIENT); });
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, x + client.right, y + client.bottom);
    paintLayer(dc, x, y, client.right, client.bottom, [&](HDC layer) {
        SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(layer), 0);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(layer), PRF_CLIENT);
    });
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV))
        if (IsWindowVisible(child)) paintWindowTree(dc, top, child, true);
    RestoreDC(dc, saved);
}

// One print on GDI: the printer context of the dialog, and the window's own
// drawing of itself in a device-independent bitmap.
class GdiPrintDevice final : public PrintDevice {
public:
    explicit GdiPrintDevice(HWND window) : window_(window) {}

    bool beginJob() override {
        printer_.reset(beginPrintJob(window_));
        return printer_.get() != nullptr;
    }

    bool captureWindow(WindowImage& image) override {
        if (!IsWindow(window_)) return false;  // closed while the dialog was open
        RECT outer;
        GetWindowRect(window_, &outer);
        const int w = outer.right - outer.left, h = outer.bottom - outer.top;
        if (w <= 0 || h <= 0) return false;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        OwnedDC memory(CreateCompatibleDC(nullptr));
        OwnedObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!memory.get() || !bitmap.get() || !bits) return false;
        std::memset(bits, 0xFF, std::size_t(w) * h * 4);
        {
            SelectedObject selected(memory.get(), bitmap.get());
            // The window draws itself, also where it is covered or off the
            // screen: the frame, caption and menu as the system draws them
            // (Windows 8.1 and later compose the full content), and over them
            // the client area and its controls from their own painting, which
            // Wine's PrintWindow leaves out.
            if (!PrintWindow(window_, memory.get(), PW_RENDERFULLCONTENT)) PrintWindow(window_, memory.get(), 0);
            paintWindowTree(memory.get(), window_, window_, false);
            GdiFlush();
        }
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        image.width = w;
        image.height = h;
        image.pixels.assign(pixels, pixels + std::size_t(w) * h);
        for (std::uint32_t& p : image.pixels) p &= 0xFFFFFF;
        // The visible frame without the invisible resize borders; systems
        // without the window manager's answer print the whole window.
        RECT frame{};
        image.visible = {0, 0, w, h};
        if (SUCCEEDED(DwmGetWindowAttribute(window_, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)))
            image.visible = visiblePart(physicalWindowRect(window_), {frame.left, frame.top, frame.right, frame.bottom},
                                        w, h);
        return true;
    }

    void pageSize(int& width, int& height) override {
        width = GetDeviceCaps(printer_.get(), HORZRES);
        height = GetDeviceCaps(printer_.get(), VERTRES);
        printedPage = PrintedPage{};
        printedPage.pageWidth = width;
        printedPage.pageHeight = height;
        printedPage.dotsPerInchX = GetDeviceCaps(printer_.get(), LOGPIXELSX);
        printedPage.dotsPerInchY = GetDeviceCaps(printer_.get(), LOGPIXELSY);
    }

    void startPage() override { StartPage(printer_.get()); }

    bool sendImage(const PrinterImage& image, const PagePlacement& target) override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = image.height;  // bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        info.bmiHeader.biSizeImage = static_cast<DWORD>(image.bits.size());
        SetStretchBltMode(printer_.get(), COLORONCOLOR);
        const int lines = StretchDIBits(printer_.get(), target.x, target.y, target.width, target.height, 0, 0,
                                        image.width, image.height, image.bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        return lines != 0 && lines != static_cast<int>(GDI_ERROR);
    }

    void drawFrame(const PagePlacement& target) override {
        printedPage.imageX = target.x;
        printedPage.imageY = target.y;
        printedPage.imageWidth = target.width;
        printedPage.imageHeight = target.height;
        printedPage.scale = target.scale;
        OwnedObject pen(CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
        SelectedObject selected(printer_.get(), pen.get());
        const POINT outline[5] = {{target.x, target.y},
                                  {target.x + target.width, target.y},
                                  {target.x + target.width, target.y + target.height},
                                  {target.x, target.y + target.height},
                                  {target.x, target.y}};
        Polyline(printer_.get(), outline, 5);
    }

    void endPage() override { EndPage(printer_.get()); }
    void endJob() override { EndDoc(printer_.get()); }
    void abortJob() override { AbortDoc(printer_.get()); }

private:
    HWND window_;
    OwnedDC printer_;
};

}  // namespace

const PrintedPage& lastPrintedPage() { return printedPage; }

HDC beginPrintJob(HWND window) {
    PRINTDLGW setup{};
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = window;
    setup.Flags = PD_RETURNDC;
    setup.nCopies = 1;
    const BOOL chosen = PrintDlgW(&setup);
    // The device mode and names are in the printer context now; a cancelled
    // dialog may still hand them over.
    OwnedGlobal devMode(setup.hDevMode), devNames(setup.hDevNames);
    if (!chosen) return nullptr;
    HDC printer = setup.hDC;
    const std::wstring name = platform().fromCp932("Capture");
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (printer && StartDocW(printer, &document) > 0) return printer;
    // Cancelling the save dialog of a printer that prints to a file is the
    // user's choice, not a fault.
    const DWORD error = printer ? GetLastError() : 0;
    if (printer) DeleteDC(printer);
    if (error != ERROR_CANCELLED) platform().warn(window, widen("画面印刷"), widen("印刷を開始できませんでした。"));
    return nullptr;
}

void printWindowImage(HWND window) {
    if (printing) return;
    printing = true;
    struct Done {
        ~Done() { printing = false; }
    } done;
    GdiPrintDevice device(window);
    if (printWindowImage(static_cast<PrintDevice&>(device)) == PrintOutcome::Failed)
        platform().warn(IsWindow(window) ? window : nullptr, widen("画面印刷"), widen("印刷できませんでした。"));
}

}  // namespace vornel
