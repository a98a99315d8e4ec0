#include "shell/main_window_win32.h"

#include <windowsx.h>

#include "bathymetry/m7000_depth_table.h"
#include "estimation/dialog_layout.h"
#include "estimation/dialog_scroller_win32.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/run_record.h"
#include "mapview/gdi_canvas_win32.h"
#include "mapview/map_paint.h"
#include "mapview/overview_highlight_win32.h"
#include "platform/callback_guard_win32.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/data_choice.h"
#include "shell/data_menus_win32.h"
#include "shell/gdi_guards_win32.h"
#include "shell/main_commands_win32.h"
#include "shell/map_marks.h"
#include "shell/side_panel_win32.h"
#include "shell/startup.h"

namespace vornel {

namespace {

void paintMapOffScreen(HDC target, int width, int height);

// BeginPaint and, on every path out, EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// The one main window. The static procedure binds the HWND to this object at
// WM_NCCREATE and routes each message to a handler named after it.
class MainWindow {
public:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    explicit MainWindow(HWND hwnd) : hwnd_(hwnd) {}
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    void onDestroy();
    void onPaint();

    HWND hwnd_;
    WheelNotches wheel_;
};

LRESULT CALLBACK MainWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return guardCallback(
        [&]() -> LRESULT {
            if (message == WM_NCCREATE) {
                auto* self = new MainWindow(hwnd);
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            }
            auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
            const LRESULT result = self->handle(message, wParam, lParam);
            if (message == WM_NCDESTROY) {
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                delete self;
            }
            return result;
        },
        [&]() -> LRESULT {
            // A paint that failed is not asked for again and again.
            if (message == WM_PAINT) ValidateRect(hwnd, nullptr);
            return 0;
        });
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            onCreate();
            return 0;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint fills the whole client area itself, off screen
        case WM_PAINT:
            onPaint();
            return 0;
        case WM_PRINTCLIENT: {
            // The map as printing asks for it: without the paint's dialog coupling.
            RECT client;
            GetClientRect(hwnd_, &client);
            paintMapOffScreen(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
            return 0;
        }
        case WM_COMMAND:
            if (runMainCommand(hwnd_, LOWORD(wParam))) return 0;
            break;
        case WM_KEYDOWN:
            onMapKeyDown(hwnd_, wParam);
            return 0;
        case WM_LBUTTONDOWN:
            onMapLeftButtonDown(hwnd_, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            onMapMouseMove(hwnd_, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            onMapLeftButtonUp(hwnd_);
            return 0;
        case WM_CAPTURECHANGED:
            onMapCaptureLost();
            return 0;
        case WM_RBUTTONUP:
            onMapRightButtonUp(hwnd_, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CONTEXTMENU:
            onMapContextMenu(hwnd_, lParam);
            return 0;
        case WM_MOUSEWHEEL:
            // Touchpads and smooth-scrolling mice send parts of a notch.
            onMapWheel(hwnd_, wheel_.add(GET_WHEEL_DELTA_WPARAM(wParam)));
            return 0;
        case WM_MENUSELECT:
            onMenuSelectHighlight(hwnd_, appState(), LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// The modal loops of the dialogs and boxes translate no accelerators: this
// filter of their messages does it for those of the main window, so that
// Ctrl+O, Ctrl+Z and Alt+/ work beside the parameter dialog as without it.
HHOOK dialogLoopFilter = nullptr;

LRESULT CALLBACK filterDialogLoopKeys(int code, WPARAM wParam, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    const bool translated = guardCallback(
        [&] { return code == MSGF_DIALOGBOX && msg && translateMainWindowKeys(*msg); }, [] { return false; });
    return translated ? TRUE : CallNextHookEx(dialogLoopFilter, code, wParam, lParam);
}

void MainWindow::onCreate() {
    estimationWindows().mainWindow = hwnd_;
    if (!dialogLoopFilter)
        dialogLoopFilter = SetWindowsHookExW(WH_MSGFILTER, filterDialogLoopKeys, nullptr, GetCurrentThreadId());
    appState().viewMode = VIEW_OVERVIEW;
    rebuildSidePanel(hwnd_, -1);
    startupHooks().buildDataMenus = buildDataMenus;
    loadStartupData(hwnd_);
}

void MainWindow::onDestroy() {
    closeDepthTableCache();
    estimationWindows().mainWindow = nullptr;
    if (dialogLoopFilter) UnhookWindowsHookEx(dialogLoopFilter);
    dialogLoopFilter = nullptr;
    PostQuitMessage(0);
}

void MainWindow::onPaint() {
    {
        PaintScope paint(hwnd_);
        RECT client;
        GetClientRect(hwnd_, &client);
        paintMapOffScreen(paint.dc(), client.right, client.bottom);
    }

    // Dialog coupling: a contour view always has the parameter dialog beside it.
    const EstimationWindows& windows = estimationWindows();
    if (appState().viewMode != VIEW_OVERVIEW) {
        if (windows.paramDialogOpen < 0 && dialogHooks().openParameterDialog) dialogHooks().openParameterDialog(hwnd_);
    } else if (windows.paramDialogOpen > 0 && windows.paramDialog) {
        SendMessageW(static_cast<HWND>(windows.paramDialog), WM_COMMAND, IDM_CLOSE_DIALOG, 0);
    }
}

// Double buffering: the map is painted into a bitmap and copied once, so that
// a drag step, which repaints everything, never shows the blank background in
// between. The bitmap starts as the erase would have left the window (the
// class brush), so a finished paint has the same pixels as painting directly.
// Without memory for the bitmap the map is painted directly, as before.
void paintMapOffScreen(HDC target, int width, int height) {
    if (width <= 0 || height <= 0) return;
    OwnedDC memory(CreateCompatibleDC(target));
    OwnedObject bitmap(memory.get() ? CreateCompatibleBitmap(target, width, height) : nullptr);
    const bool buffered = bitmap.get() != nullptr;
    HDC dc = buffered ? memory.get() : target;
    SelectedObject selected(buffered ? memory.get() : nullptr, bitmap.get());
    const RECT area{0, 0, width, height};
    FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
    {
        GdiCanvas canvas(dc);
        paintMap(canvas, appState(), markedPoints(estimationParams()), width, height);
    }
    if (buffered) BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

// The system's default size can pass a laptop's work area (1366 x 768, or
// 1280 x 720 at 150 %): the window starts inside it. The map takes whatever
// client size the window has.
void fitToWorkArea(HWND hwnd) {
    const ScreenRect now = windowRectOf(hwnd);
    const ScreenRect fitted = fitMainWindowToWorkArea(now, workAreaOf(hwnd));
    if (!(fitted == now))
        SetWindowPos(hwnd, nullptr, fitted.left, fitted.top, fitted.width(), fitted.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, int showCommand) {
    setAppInstance(instance);
    installEstimationDialogs();
    dialogHooks().openParameterDialog = openParameterDialog;
    setDataSourceDescriber(describeShownData);
    wchar_t title[100] = {};
    wchar_t className[100] = {};
    LoadStringW(instance, IDS_APP_TITLE, title, 100);
    LoadStringW(instance, IDS_WINDOW_CLASS, className, 100);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindow::procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VORNEL));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDC_VORNEL);
    wc.lpszClassName = className;
    // The title bar's icon at its own size (16 x 16 at 100 %): LoadIcon would
    // give the large size, which the title bar then shrinks again, blurred.
    wc.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_SMALL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR | LR_SHARED));
    RegisterClassExW(&wc);  // fails harmlessly when the class exists (tests create several windows)

    // MS Gothic and the Japanese character set asked for by name: what the
    // default fixed-pitch font is on a Japanese system, and under any other
    // system code page still a font with kana and kanji, not one that shows
    // the labels as boxes.
    if (!uiFont())
        setUiFont(CreateFontW(-12, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_TT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, FIXED_PITCH | FF_MODERN, L"MS Gothic"));

    // WS_CLIPCHILDREN: the map's paint leaves the side panel's controls alone.
    HWND hwnd = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0, nullptr,
                                nullptr, instance, nullptr);
    if (!hwnd) return nullptr;
    fitToWorkArea(hwnd);
    ShowWindow(hwnd, showCommand);
    UpdateWindow(hwnd);
    return hwnd;
}

bool translateMainWindowKeys(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
        msg.message != WM_SYSCHAR)
        return false;
    HWND main = static_cast<HWND>(estimationWindows().mainWindow);
    if (!main || !msg.hwnd || (msg.hwnd != main && !IsChild(main, msg.hwnd))) return false;
    static const HACCEL accelerators = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_VORNEL));
    // Translated for the main window itself: a side-panel button that kept
    // the focus after a click would take the command and do nothing with it.
    return accelerators && TranslateAcceleratorW(main, accelerators, &msg) != 0;
}

int runMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!translateMainWindowKeys(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace vornel
