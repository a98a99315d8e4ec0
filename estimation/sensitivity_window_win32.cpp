// 「感度と応答」: the sensitivity of the run on screen and its response figure,
// a modeless window owned by the result dialog. The perturbed runs, the
// pairing and the figure are portable; this is their window.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "bathymetry/data_folder.h"
#include "estimation/dialog_scroller_win32.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/response_figure.h"
#include "estimation/result.h"
#include "estimation/run_record.h"
#include "estimation/sensitivity_run.h"
#include "estimation/solver_exchange.h"
#include "mapview/figure_view_win32.h"
#include "platform/callback_guard_win32.h"
#include "platform/text.h"
#include "resources/resource.h"

namespace vornel {

namespace {

// Control ids of the window (template IDD_SENSITIVITY).
constexpr int kFirstUncertainty = 2001;  // 2001 ... 2006 in the order of SensitivityInput
constexpr int kProgress = 2010;
constexpr int kStatus = 2011;
constexpr int kTable = 2012;
constexpr int kFigureFrame = 2013;
constexpr int kCopyFigure = 2020;
constexpr int kPrintFigure = 2021;
constexpr int kFigure = 2030;
constexpr UINT kComputeMessage = WM_APP + 21;
constexpr UINT kFocusLeftMessage = WM_APP + 22;

HWND openWindow = nullptr;

// The window is modeless inside the result dialog's modal loop, which only
// serves its own dialog's keys: this filter gives the window its Tab, Enter
// and Esc while it is open.
HHOOK keyFilter = nullptr;

LRESULT CALLBACK filterWindowKeys(int code, WPARAM wParam, LPARAM lParam) {
    MSG* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg && openWindow && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
        (msg->hwnd == openWindow || IsChild(openWindow, msg->hwnd)) && IsDialogMessageW(openWindow, msg))
        return TRUE;
    return CallNextHookEx(keyFilter, code, wParam, lParam);
}

const wchar_t* const kColumns[] = {L"候補", L"項目", L"刻み", L"θo(−)", L"θo(+)", L"Ho(−)", L"Ho(+)"};
constexpr int kColumnWidths[] = {196, 62, 62, 84, 88, 100, 92};

class SensitivityWindow {
public:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static SensitivityWindow* of(HWND hwnd) {
        return reinterpret_cast<SensitivityWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }

private:
    explicit SensitivityWindow(HWND hwnd) : hwnd_(hwnd) {}
    void initialise();
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM);
    bool readUncertainties(Uncertainties& u);
    void showUncertainties(const Uncertainties& u);
    void compute();
    void showTable();
    FigurePainter painter() const;
    void setBusy(bool busy);
    void copyFigure();
    void printTheFigure();
    SIZE figureSize() const;

    HWND hwnd_;
    HWND figure_ = nullptr;
    Uncertainties shown_;
    bool computing_ = false;
};

INT_PTR CALLBACK SensitivityWindow::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = new SensitivityWindow(hwnd);
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        guardCallback([&] { self->initialise(); }, [] {});
        return TRUE;
    }
    SensitivityWindow* self = of(hwnd);
    if (!self) return FALSE;
    const INT_PTR result =
        guardCallback([&] { return self->handle(message, wParam, lParam); }, []() -> INT_PTR { return TRUE; });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        if (openWindow == hwnd) {
            openWindow = nullptr;
            if (keyFilter) UnhookWindowsHookEx(keyFilter);
            keyFilter = nullptr;
        }
        delete self;
    }
    return result;
}

void SensitivityWindow::initialise() {
    // The uncertainties last used for this run, else the defaults.
    const SensitivityTable& last = runSensitivity();
    showUncertainties(last.computed ? last.uncertainties : Uncertainties());
    const RunRecord& run = runRecord();
    EnableWindow(GetDlgItem(hwnd_, kFirstUncertainty + SENS_TIP_DEPTH), run.solverCase.withDiffraction());

    HWND table = GetDlgItem(hwnd_, kTable);
    ListView_SetExtendedListViewStyle(table, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    for (int c = 0; c < 7; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c >= 3 ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.pszText = const_cast<wchar_t*>(kColumns[c]);
        column.cx = kColumnWidths[c];
        ListView_InsertColumn(table, c, &column);
    }

    RECT box;
    GetWindowRect(GetDlgItem(hwnd_, kFigureFrame), &box);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&box), 2);
    ShowWindow(GetDlgItem(hwnd_, kFigureFrame), SW_HIDE);
    figure_ = createFigureView(hwnd_, kFigure, box);
    setFigurePainter(figure_, painter());

    // Beside its owner where the screen has room, else inside the work area.
    RECT own, owner;
    GetWindowRect(hwnd_, &own);
    GetWindowRect(GetWindow(hwnd_, GW_OWNER), &owner);
    const ScreenRect area = workAreaOf(hwnd_);
    const int width = own.right - own.left, height = own.bottom - own.top;
    int left = owner.right + 4;
    if (left + width > area.right) left = area.right - width;
    if (left < area.left) left = area.left;
    int top = std::max<int>(area.top, std::min<int>(owner.top, area.bottom - height));
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (last.computed) showTable();
    PostMessageW(hwnd_, kComputeMessage, last.computed ? 0 : 1, 0);
}

INT_PTR SensitivityWindow::handle(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case kComputeMessage:
            if (wParam) compute();
            return TRUE;
        case kFocusLeftMessage: {
            // The focus left the uncertainties for another control of the
            // window: a changed value computes again.
            const HWND focus = GetFocus();
            const int id = focus ? GetDlgCtrlID(focus) : 0;
            Uncertainties u;
            if (!computing_ && !(id >= kFirstUncertainty && id < kFirstUncertainty + kSensitivityInputs) &&
                IsChild(hwnd_, focus) && readUncertainties(u) &&
                !std::equal(std::begin(u.value), std::end(u.value), std::begin(shown_.value)))
                compute();
            return TRUE;
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id >= kFirstUncertainty && id < kFirstUncertainty + kSensitivityInputs && code == EN_KILLFOCUS) {
                PostMessageW(hwnd_, kFocusLeftMessage, 0, 0);
                return TRUE;
            }
            switch (id) {
                case IDOK:  // Enter in a value
                    if (!computing_) compute();
                    return TRUE;
                case kCopyFigure:
                    copyFigure();
                    return TRUE;
                case kPrintFigure:
                    printTheFigure();
                    return TRUE;
                case IDCANCEL:
                    if (!computing_) DestroyWindow(hwnd_);
                    return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            if (!computing_) DestroyWindow(hwnd_);
            return TRUE;
    }
    return FALSE;
}

bool SensitivityWindow::readUncertainties(Uncertainties& u) {
    for (int i = 0; i < kSensitivityInputs; ++i) {
        wchar_t text[64] = {};
        GetDlgItemTextW(hwnd_, kFirstUncertainty + i, text, 64);
        const std::wstring folded = foldFullWidth(text);
        const double value = textToReal(folded);
        // Half a circle, the whole depth or the whole period would be no
        // uncertainty but another case.
        const double limit = i == SENS_DIRECTION || i == SENS_THETA_CON ? 45.0 : i == SENS_PERIOD ? 5.0 : 50.0;
        if (!(value >= 0.0 && value <= limit)) {
            platform().warn(hwnd_, widen(msg::kSensitivityCaption),
                            fillIn(msg::kSensitivityBadUncertainty,
                                   {widen(sensitivityItemName(i)), text, std::to_wstring(static_cast<int>(limit))}));
            return false;
        }
        u.value[i] = value;
    }
    return true;
}

void SensitivityWindow::showUncertainties(const Uncertainties& u) {
    for (int i = 0; i < kSensitivityInputs; ++i) {
        // One decimal at least for degrees and seconds, and every digit typed:
        // a direction of 16 points is ±11.25°, not 11.2.
        const bool percent = i == SENS_DEPTH || i == SENS_TIP_DEPTH || i == SENS_HEIGHT;
        const bool tenths = std::fabs(u.value[i] * 10.0 - std::round(u.value[i] * 10.0)) < 1e-9;
        SetDlgItemTextW(hwnd_, kFirstUncertainty + i,
                        wformat(percent || !tenths ? L"%g" : L"%.1f", u.value[i]).c_str());
    }
    shown_ = u;
}

void SensitivityWindow::setBusy(bool busy) {
    computing_ = busy;
    for (int id : {kCopyFigure, kPrintFigure, static_cast<int>(IDCANCEL)}) EnableWindow(GetDlgItem(hwnd_, id), !busy);
    for (int i = 0; i < kSensitivityInputs; ++i)
        SendDlgItemMessageW(hwnd_, kFirstUncertainty + i, EM_SETREADONLY, busy, 0);
}

void SensitivityWindow::compute() {
    Uncertainties u;
    if (!readUncertainties(u)) return;
    showUncertainties(u);
    RunRecord& run = runRecord();
    const EstimationResult& result = estimationResult();
    const std::vector<ResultRow> rows(result.rows, result.rows + std::clamp(result.rowCount, 0, kMaxResultRows));
    setBusy(true);
    HWND progress = GetDlgItem(hwnd_, kProgress);
    SolverRunSettings settings;
    settings.timeLimit = solverTimeLimit();
    std::vector<SensitivityFailure> failures;
    runSensitivity() = computeSensitivity(
        dataFolders().programFolder, run.solverCase, rows, u, settings,
        [&](int done, int total, const std::string& what) {
            SendMessageW(progress, PBM_SETRANGE32, 0, std::max(total, 1));
            SendMessageW(progress, PBM_SETPOS, done, 0);
            const std::wstring status =
                what.empty() ? widen(format("計算済み %d / %d", done, total))
                             : widen(format("計算中 %d / %d: %s", done + 1, total, what.c_str()));
            SetDlgItemTextW(hwnd_, kStatus, status.c_str());
            UpdateWindow(hwnd_);
        },
        failures);
    setBusy(false);
    showTable();
    setFigurePainter(figure_, painter());
    if (!failures.empty()) {
        std::wstring text = widen(msg::kSensitivityRunsFailed);
        for (const SensitivityFailure& f : failures) text += L"\n・" + widen(f.what) + L": " + f.why;
        platform().warn(hwnd_, widen(msg::kSensitivityCaption), text);
    }
}

void SensitivityWindow::showTable() {
    const RunRecord& run = runRecord();
    const EstimationResult& result = estimationResult();
    std::vector<double> wholeSea;
    for (int i = 0; i < std::clamp(result.rowCount, 0, kMaxResultRows); ++i)
        wholeSea.push_back(wholeSeaHeight(result.rows[i].ho, candidateShare(run.curves, i, result.rows[i])));
    HWND table = GetDlgItem(hwnd_, kTable);
    SendMessageW(table, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(table);
    const auto rows = sensitivityTableRows(runSensitivity(), wholeSea);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(r);
        item.pszText = const_cast<wchar_t*>(rows[r][0].c_str());
        ListView_InsertItem(table, &item);
        for (int c = 1; c < 7; ++c) ListView_SetItemText(table, static_cast<int>(r), c, const_cast<wchar_t*>(rows[r][c].c_str()));
    }
    SendMessageW(table, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(table, nullptr, TRUE);
}

FigurePainter SensitivityWindow::painter() const {
    const RunRecord& run = runRecord();
    const EstimationResult& result = estimationResult();
    auto input = std::make_shared<ResponseFigureInput>();
    auto curves = std::make_shared<ResponseCurves>(run.curves);
    input->curves = curves.get();
    input->thetaCon = run.solverCase.thetaCon;
    input->observedDirection = run.solverCase.direction;
    input->directionUncertainty = shown_.value[SENS_DIRECTION];
    input->height = run.solverCase.height;
    input->candidates.assign(result.rows, result.rows + std::clamp(result.rowCount, 0, kMaxResultRows));
    return [input, curves](Canvas& canvas, PixelRect frame) { drawResponseFigure(canvas, *input, frame); };
}

SIZE SensitivityWindow::figureSize() const {
    RECT client;
    GetClientRect(figure_, &client);
    return {std::max<LONG>(client.right, 200), std::max<LONG>(client.bottom, 200)};
}

void SensitivityWindow::copyFigure() {
    const SIZE size = figureSize();
    if (!copyFigureToClipboard(hwnd_, painter(), size.cx, size.cy))
        platform().warn(hwnd_, widen(msg::kSensitivityCaption), widen(msg::kFigureCopyFailed));
}

void SensitivityWindow::printTheFigure() {
    const SIZE size = figureSize();
    const std::wstring name = L"VORNEL 感度と応答 " + platform().fromCp932(runRecord().solverCase.title);
    if (printFigure(hwnd_, name, painter(), size.cx, size.cy) == FigurePrint::Failed)
        platform().warn(hwnd_, widen(msg::kSensitivityCaption), widen(msg::kFigurePrintFailed));
}

}  // namespace

void openSensitivityWindow(HWND resultDialog) {
    if (openWindow && IsWindow(openWindow)) {
        ShowWindow(openWindow, SW_SHOWNORMAL);
        SetForegroundWindow(openWindow);
        return;
    }
    if (!runRecord().valid) return;
    openWindow = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SENSITIVITY), resultDialog,
                                    SensitivityWindow::procedure, 0);
    if (!openWindow) return;
    if (!keyFilter) keyFilter = SetWindowsHookExW(WH_MSGFILTER, filterWindowKeys, nullptr, GetCurrentThreadId());
    ShowWindow(openWindow, SW_SHOW);
}

void closeSensitivityWindow() {
    if (openWindow && IsWindow(openWindow)) DestroyWindow(openWindow);
    openWindow = nullptr;
}

HWND sensitivityWindow() {
    return openWindow && IsWindow(openWindow) ? openWindow : nullptr;
}

}  // namespace vornel
