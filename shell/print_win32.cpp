#include "shell/print_win32.h"

#include <commdlg.h>
#include <dwmapi.h>

#include "platform/platform.h"
#include "platform/text.h"
#include "shell/gdi_guards_win32.h"
#include "shell/print_job.h"

namespace vornel {

namespace {

// The printer set-up of the last print dialog. It is filled afresh for every
// print and released when the print ends (or when the document cannot start).
PRINTDLGW printSetup;
bool printSetupInUse = false;
PrintedPage printedPage;

void releasePrintSetup() {
    if (printSetup.hDevMode) GlobalFree(printSetup.hDevMode);
    if (printSetup.hDevNames) GlobalFree(printSetup.hDevNames);
    printSetup.hDevMode = nullptr;
    printSetup.hDevNames = nullptr;
    printSetupInUse = false;
}

// One print on GDI: the printer context of the dialog, the screen capture in
// a memory context, and the window's frame on the screen.
class GdiPrintDevice final : public PrintDevice {
public:
    explicit GdiPrintDevice(HWND window) : window_(window) {}
    ~GdiPrintDevice() override {
        // The capture bitmap leaves the memory context before both go.
        if (previousBitmap_) SelectObject(memoryDC_.get(), previousBitmap_);
        bitmap_.reset();
        memoryDC_.reset();
        if (printer_.get()) {
            printer_.reset();
            releasePrintSetup();
        }
    }

    bool beginJob() override {
        printer_.reset(beginPrintJob(window_));
        return printer_.get() != nullptr;
    }

    void captureScreen() override {
        // The print dialog has just left the window: let it repaint what the
        // dialog covered, so that the capture shows the window and not the dialog.
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        RECT screen;
        GetWindowRect(GetDesktopWindow(), &screen);
        HDC screenDC = GetDC(nullptr);
        memoryDC_.reset(CreateCompatibleDC(screenDC));
        bitmap_.reset(CreateCompatibleBitmap(screenDC, screen.right, screen.bottom));
        if (memoryDC_.get() && bitmap_.get()) {
            previousBitmap_ = SelectObject(memoryDC_.get(), bitmap_.get());
            BitBlt(memoryDC_.get(), 0, 0, screen.right, screen.bottom, screenDC, 0, 0, SRCCOPY);
        }
        ReleaseDC(nullptr, screenDC);
    }

    PrintRect windowBounds() override {
        RECT frame{};
        // The visible frame without the invisible resize borders; systems
        // without the window manager's answer give the window rectangle.
        if (FAILED(DwmGetWindowAttribute(window_, DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof frame)))
            GetWindowRect(window_, &frame);
        return {frame.left, frame.top, frame.right, frame.bottom};
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

    void copyImage(const PrintRect& source, const PagePlacement& target) override {
        if (!previousBitmap_) return;  // the capture failed: the page keeps only its frame
        StretchBlt(printer_.get(), target.x, target.y, target.width, target.height, memoryDC_.get(), source.left,
                   source.top, source.right - source.left, source.bottom - source.top, SRCCOPY);
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

private:
    HWND window_;
    OwnedDC printer_;
    OwnedDC memoryDC_;
    OwnedObject bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};

}  // namespace

const PrintedPage& lastPrintedPage() { return printedPage; }

HDC beginPrintJob(HWND window) {
    if (!printSetupInUse) {
        ZeroMemory(&printSetup, sizeof printSetup);
        printSetup.lStructSize = sizeof printSetup;
        printSetup.hwndOwner = window;
        printSetup.Flags = PD_RETURNDC;
        printSetup.nCopies = 1;
    }
    if (!PrintDlgW(&printSetup)) {
        releasePrintSetup();  // a cancelled dialog may still hand over its device mode
        return nullptr;
    }
    printSetupInUse = true;
    HDC printer = printSetup.hDC;
    const std::wstring name = platform().fromCp932("Capture");
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    if (!printer || StartDocW(printer, &document) <= 0) {
        // Nothing may look printed when the printer did not take the document.
        if (printer) DeleteDC(printer);
        releasePrintSetup();
        platform().warn(window, widen("画面印刷"), widen("印刷を開始できませんでした。"));
        return nullptr;
    }
    return printer;
}

void printWindowImage(HWND window) {
    GdiPrintDevice device(window);
    printWindowImage(static_cast<PrintDevice&>(device));
}

}  // namespace vornel
