#include "mapview/figure_view_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <memory>

#include "mapview/gdi_canvas_win32.h"
#include "platform/callback_guard_win32.h"

namespace vornel {

namespace {

constexpr wchar_t kFigureClass[] = L"VornelFigure";

// The printer chosen last, kept for the session: the next print offers the
// same printer, paper and orientation.
HGLOBAL printerMode = nullptr;
HGLOBAL printerNames = nullptr;

struct FigureView {
    FigurePainter painter;
};

FigureView* viewOf(HWND hwnd) {
    return reinterpret_cast<FigureView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Drawn off screen and copied once: no flicker while it is painted again.
void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    FillRect(memory, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (FigureView* view = viewOf(hwnd); view && view->painter) {
        GdiCanvas canvas(memory);
        view->painter(canvas, {0, 0, client.right, client.bottom});
    }
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
}

LRESULT figureMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new FigureView));
            break;
        case WM_NCDESTROY:
            delete viewOf(hwnd);
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint(hwnd);
            return 0;
        case WM_SIZE:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// No exception crosses into the system: a failed paint is a box, not the end.
LRESULT CALLBACK figureProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardCallback([&] { return figureMessage(hwnd, message, wParam, lParam); },
                         [&]() -> LRESULT {
                             if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
                             return 0;
                         });
}

void registerClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = figureProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFigureClass;
    registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Draws the figure of `width` × `height` into `dc`, as large as `target`
// allows with its shape kept, centred. The device's resolutions (dots per
// inch across and down) may differ, as on some printers: the shape is kept in
// inches, not in dots.
void drawScaled(HDC dc, const FigurePainter& painter, int width, int height, const RECT& target, int dpiX = 1,
                int dpiY = 1) {
    const double inches = std::min(double(target.right - target.left) / dpiX / width,
                                   double(target.bottom - target.top) / dpiY / height);
    const int w = static_cast<int>(width * inches * dpiX), h = static_cast<int>(height * inches * dpiY);
    const int saved = SaveDC(dc);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, width, height, nullptr);
    SetViewportExtEx(dc, w, h, nullptr);
    SetViewportOrgEx(dc, target.left + (target.right - target.left - w) / 2,
                     target.top + (target.bottom - target.top - h) / 2, nullptr);
    {
        GdiCanvas canvas(dc);
        painter(canvas, {0, 0, width, height});
    }
    RestoreDC(dc, saved);
}

}  // namespace

HWND createFigureView(HWND parent, int id, const RECT& box) {
    registerClass();
    return CreateWindowExW(WS_EX_CLIENTEDGE, kFigureClass, L"", WS_CHILD | WS_VISIBLE, box.left, box.top,
                           box.right - box.left, box.bottom - box.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

void setFigurePainter(HWND view, FigurePainter painter) {
    if (FigureView* v = viewOf(view)) v->painter = std::move(painter);
    InvalidateRect(view, nullptr, FALSE);
}

bool copyFigureToClipboard(HWND owner, const FigurePainter& painter, int width, int height) {
    // The frame in 0.01 mm at the screen's resolution, so that the picture
    // pastes at about the size it has on screen.
    HDC screen = GetDC(nullptr);
    const int mmX = GetDeviceCaps(screen, HORZSIZE), pxX = GetDeviceCaps(screen, HORZRES);
    const int mmY = GetDeviceCaps(screen, VERTSIZE), pxY = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);
    const RECT frame{0, 0, MulDiv(width, mmX * 100, pxX), MulDiv(height, mmY * 100, pxY)};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, L"VORNEL\0figure\0");
    if (!dc) return false;
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    {
        GdiCanvas canvas(dc);
        painter(canvas, {0, 0, width, height});
    }
    HENHMETAFILE picture = CloseEnhMetaFile(dc);
    if (!picture) return false;
    if (!OpenClipboard(owner)) {
        DeleteEnhMetaFile(picture);
        return false;
    }
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_ENHMETAFILE, picture) != nullptr;
    CloseClipboard();
    if (!placed) DeleteEnhMetaFile(picture);  // the clipboard owns it only when placed
    return placed;
}

FigurePrint printFigure(HWND owner, const std::wstring& documentName, const FigurePainter& painter, int width,
                        int height) {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    pd.hDevMode = printerMode;
    pd.hDevNames = printerNames;
    pd.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION;
    pd.nCopies = 1;
    if (!PrintDlgW(&pd)) return CommDlgExtendedError() == 0 ? FigurePrint::Cancelled : FigurePrint::Failed;
    printerMode = pd.hDevMode;
    printerNames = pd.hDevNames;
    HDC dc = pd.hDC;
    if (!dc) return FigurePrint::Failed;

    // The printable area less a margin of a twentieth of its shorter side.
    const int pageWidth = GetDeviceCaps(dc, HORZRES), pageHeight = GetDeviceCaps(dc, VERTRES);
    const int margin = std::min(pageWidth, pageHeight) / 20;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    RECT target{margin, margin, pageWidth - margin, pageHeight - margin};
    const int copies = std::max<int>(pd.nCopies, 1);  // copies the driver does not make itself

    DOCINFOW doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = documentName.c_str();
    bool ok = StartDocW(dc, &doc) > 0;
    for (int copy = 0; ok && copy < copies; ++copy) {
        ok = StartPage(dc) > 0;
        if (!ok) break;
        drawScaled(dc, painter, width, height, target, std::max(dpiX, 1), std::max(dpiY, 1));
        ok = EndPage(dc) > 0;
    }
    if (ok) {
        ok = EndDoc(dc) > 0;
    } else {
        AbortDoc(dc);
    }
    DeleteDC(dc);
    return ok ? FigurePrint::Printed : FigurePrint::Failed;
}

}  // namespace vornel
