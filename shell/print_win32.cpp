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

constexpr char kPrintCaption[] = "画面印刷";

PrintedPage printedPage;
// Set while a print runs (its dialog, the printer's own save dialog, the
// page): a print command that arrives meanwhile does nothing.
bool printing = false;

// The printer, paper and orientation chosen last: the next print dialog of
// the session starts from them. Kept until the program ends.
HGLOBAL sessionDevMode = nullptr;
HGLOBAL sessionDevNames = nullptr;

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

// Where a window tree is drawn: the screen point that is the image's origin
// (the top-left corner of the top window's rectangle), and for a top window
// whose contents scroll, how far they are scrolled and how tall they are in
// all, so that the whole of them is drawn below the caption.
struct TreeOrigin {
    POINT base{0, 0};
    int scrolled = 0;
    int contentHeight = 0;  // 0: the client area as it is
};

// Draws `window`'s own painting into `dc` at `at`: its borders (when
// `withFrame`), its client area, and over that each visible child, bottom
// first, clipped to the client area.
void paintWindowTree(HDC dc, const TreeOrigin& at, HWND top, HWND window, bool withFrame) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    // What lies inside the scrolled top window moves down by what is scrolled off.
    const int shift = window == top ? 0 : at.scrolled;
    const int x = origin.x - at.base.x, y = origin.y - at.base.y + shift;
    if (window == top && at.contentHeight > 0) client.bottom = at.contentHeight;
    if (withFrame)
        paintLayer(dc, outer.left - at.base.x, outer.top - at.base.y + shift, outer.right - outer.left,
                   outer.bottom - outer.top,
                   [&](HDC layer) { SendMessageW(window, WM_PRINT, reinterpret_cast<WPARAM>(layer), PRF_NONCLIENT); });
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, y, x + client.right, y + client.bottom);
    paintLayer(dc, x, y, client.right, client.bottom, [&](HDC layer) {
        if (window == top && at.contentHeight > 0) {
            // A dialog erases only what its client area shows now.
            const RECT all{0, 0, client.right, client.bottom};
            FillRect(layer, &all, GetSysColorBrush(COLOR_3DFACE));
        }
        SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(layer), 0);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(layer), PRF_CLIENT);
    });
    for (HWND child = GetWindow(GetWindow(window, GW_CHILD), GW_HWNDLAST); child; child = GetWindow(child, GW_HWNDPREV))
        if (IsWindowVisible(child)) paintWindowTree(dc, at, top, child, true);
    RestoreDC(dc, saved);
}

// The scrolled client area of `window`, when its contents scroll and part of
// them is out of view; false otherwise.
bool scrolledClientOf(HWND window, ScrolledClient& client, int& scrolled) {
    if (!(GetWindowLongW(window, GWL_STYLE) & WS_VSCROLL)) return false;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(window, SB_VERT, &info) || info.nMax + 1 <= static_cast<int>(info.nPage)) return false;
    RECT outer, inner;
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    client.left = origin.x - outer.left;
    client.top = origin.y - outer.top;
    client.width = inner.right;
    client.viewHeight = inner.bottom;
    client.contentHeight = info.nMax + 1;
    client.scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
    scrolled = info.nPos;
    return true;
}

// A top-down 32-bit device-independent bitmap selected into a memory context.
struct ImageCanvas {
    OwnedDC memory{CreateCompatibleDC(nullptr)};
    OwnedObject bitmap;
    void* bits = nullptr;
    ImageCanvas(int w, int h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    bool ok() const { return memory.get() && bitmap.get() && bits; }
};

// One print on GDI: the printer context of the dialog, and the window's own
// drawing of itself in a device-independent bitmap.
class GdiPrintDevice final : public PrintDevice {
public:
    GdiPrintDevice(HWND window, std::wstring documentName) : window_(window), name_(std::move(documentName)) {}

    bool beginJob() override {
        printer_.reset(beginPrintJob(window_, name_, &copies_));
        return printer_.get() != nullptr;
    }

    int copies() override { return copies_; }

    bool captureWindow(WindowImage& image) override {
        return IsWindow(window_) && captureWindowImage(window_, image);  // closed while the dialog was open?
    }

    void pageSize(int& width, int& height, int& dpiX, int& dpiY) override {
        width = GetDeviceCaps(printer_.get(), HORZRES);
        height = GetDeviceCaps(printer_.get(), VERTRES);
        dpiX = GetDeviceCaps(printer_.get(), LOGPIXELSX);
        dpiY = GetDeviceCaps(printer_.get(), LOGPIXELSY);
        printedPage = PrintedPage{};
        printedPage.pageWidth = width;
        printedPage.pageHeight = height;
        printedPage.dotsPerInchX = dpiX;
        printedPage.dotsPerInchY = dpiY;
        printedPage.copies = copies_;
        printedPage.documentName = name_;
    }

    bool startPage() override { return StartPage(printer_.get()) > 0; }

    bool sendImage(const PrinterImage& image, const PagePlacement& target) override {
        printedPage.sourceWidth = image.width;
        printedPage.sourceHeight = image.height;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = image.width;
        info.bmiHeader.biHeight = image.height;  // bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        info.bmiHeader.biSizeImage = static_cast<DWORD>(image.bits.size());
        // Enlarged by whole steps the pixels stay sharp; scaled down, halftone
        // keeps thin contour lines and text from dropping out.
        if (target.scale >= 1) {
            SetStretchBltMode(printer_.get(), COLORONCOLOR);
        } else {
            SetStretchBltMode(printer_.get(), HALFTONE);
            SetBrushOrgEx(printer_.get(), 0, 0, nullptr);
        }
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

    bool endPage() override {
        if (EndPage(printer_.get()) <= 0) return false;
        ++printedPage.pages;
        return true;
    }
    bool endJob() override { return EndDoc(printer_.get()) > 0; }
    void abortJob() override { AbortDoc(printer_.get()); }

private:
    HWND window_;
    std::wstring name_;
    int copies_ = 1;
    OwnedDC printer_;
};

}  // namespace

const PrintedPage& lastPrintedPage() { return printedPage; }

bool captureWindowImage(HWND window, WindowImage& image) {
    RECT outer;
    GetWindowRect(window, &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    if (w <= 0 || h <= 0) return false;
    // The window as it shows now: the frame, caption and menu as the system
    // draws them (Windows 8.1 and later compose the full content).
    WindowImage framed;
    {
        ImageCanvas canvas(w, h);
        if (!canvas.ok()) return false;
        std::memset(canvas.bits, 0xFF, std::size_t(w) * h * 4);
        SelectedObject selected(canvas.memory.get(), canvas.bitmap.get());
        if (!PrintWindow(window, canvas.memory.get(), PW_RENDERFULLCONTENT))
            PrintWindow(window, canvas.memory.get(), 0);
        GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(canvas.bits);
        framed.width = w;
        framed.height = h;
        framed.pixels.assign(pixels, pixels + std::size_t(w) * h);
    }
    // The visible frame without the invisible resize borders; systems
    // without the window manager's answer print the whole window.
    RECT frame{};
    framed.visible = {0, 0, w, h};
    if (SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)))
        framed.visible =
            visiblePart(physicalWindowRect(window), {frame.left, frame.top, frame.right, frame.bottom}, w, h);

    // A dialog whose contents scroll prints all of them: its frame grows
    // around them and they are drawn where they would be unscrolled.
    TreeOrigin at;
    at.base = {outer.left, outer.top};
    ScrolledClient scrolled;
    const WindowImage whole =
        scrolledClientOf(window, scrolled, at.scrolled) ? unscrolledFrame(framed, scrolled) : framed;
    if (whole.height != framed.height)
        at.contentHeight = scrolled.contentHeight;
    else
        at.scrolled = 0;

    // Over the frame, the client area and its controls from their own
    // painting, which Wine's PrintWindow leaves out.
    ImageCanvas canvas(whole.width, whole.height);
    if (!canvas.ok()) return false;
    std::memcpy(canvas.bits, whole.pixels.data(), whole.pixels.size() * 4);
    {
        SelectedObject selected(canvas.memory.get(), canvas.bitmap.get());
        paintWindowTree(canvas.memory.get(), at, window, window, false);
        GdiFlush();
    }
    const auto* pixels = static_cast<const std::uint32_t*>(canvas.bits);
    image.width = whole.width;
    image.height = whole.height;
    image.pixels.assign(pixels, pixels + std::size_t(whole.width) * whole.height);
    for (std::uint32_t& p : image.pixels) p &= 0xFFFFFF;
    image.visible = whole.visible;
    return true;
}

HDC beginPrintJob(HWND window, const std::wstring& documentName, int* copies) {
    PRINTDLGW setup{};
    setup.lStructSize = sizeof setup;
    setup.hwndOwner = window;
    setup.hDevMode = sessionDevMode;
    setup.hDevNames = sessionDevNames;
    // One page: no page range and no selection to offer. The copies are
    // printed here, one page each, whatever the driver can do.
    setup.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    setup.nCopies = 1;
    const BOOL chosen = PrintDlgW(&setup);
    // The dialog may have replaced the settings it was given; the session
    // keeps what it returned for the next print.
    sessionDevMode = setup.hDevMode;
    sessionDevNames = setup.hDevNames;
    if (!chosen) return nullptr;
    if (copies) *copies = setup.nCopies > 0 ? setup.nCopies : 1;
    HDC printer = setup.hDC;
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = documentName.c_str();
    if (printer && StartDocW(printer, &document) > 0) return printer;
    // Cancelling the save dialog of a printer that prints to a file is the
    // user's choice, not a fault.
    const DWORD error = printer ? GetLastError() : 0;
    if (printer) DeleteDC(printer);
    if (error != ERROR_CANCELLED) platform().warn(window, widen(kPrintCaption), widen("印刷を開始できませんでした。"));
    return nullptr;
}

void printWindowImage(HWND window, const std::wstring& documentName) {
    if (printing) return;
    printing = true;
    struct Done {
        ~Done() { printing = false; }
    } done;
    GdiPrintDevice device(window, documentName);
    if (printWindowImage(static_cast<PrintDevice&>(device)) == PrintOutcome::Failed)
        platform().warn(IsWindow(window) ? window : nullptr, widen(kPrintCaption), widen("印刷できませんでした。"));
}

}  // namespace vornel
