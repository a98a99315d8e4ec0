// 観測波浪の一括推定 (command 1630): the records file chosen, read and checked
// whole, run with a progress window (中止 ends it after the batch or record in
// hand), the report written beside the records, and the summary figure shown.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "bathymetry/data_folder.h"
#include "estimation/batch_estimation.h"
#include "estimation/batch_figure.h"
#include "estimation/csv_report.h"
#include "estimation/estimation_dialogs_win32.h"
#include "estimation/estimation_windows.h"
#include "estimation/file_dialog_win32.h"
#include "estimation/messages.h"
#include "estimation/solver_exchange.h"
#include "mapview/figure_view_win32.h"
#include "platform/callback_guard_win32.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "resources/resource.h"

namespace vornel {

namespace {

using Clock = std::chrono::steady_clock;

// A records file of 100,000 lines is a few megabytes; far beyond that it is
// not one, and reading it whole would only cost memory.
constexpr std::size_t kMaxRecordsBytes = 64u << 20;

// Controls of the progress window and of the result window.
constexpr int kProgressFile = 2101;
constexpr int kProgressBar = 2102;
constexpr int kProgressCount = 2103;
constexpr int kProgressTime = 2104;
constexpr int kResultPath = 2201;
constexpr int kResultSummary = 2202;
constexpr int kResultFrame = 2203;
constexpr int kResultCopy = 2220;
constexpr int kResultPrint = 2221;
constexpr int kResultFigure = 2230;

std::wstring caption() {
    return widen(msg::kBatchCaption);
}

bool readWhole(const std::wstring& path, std::string& bytes, bool& tooLarge) {
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return false;
    char buffer[1 << 15];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, got);
        if (bytes.size() > kMaxRecordsBytes) {
            tooLarge = true;
            return true;
        }
    }
    return !std::ferror(file.get());
}

bool chooseRecordsFile(HWND owner, std::wstring& path) {
    wchar_t name[MAX_PATH] = {};
    FileDialogRequest request;
    request.owner = owner;
    request.title = caption();
    request.filters = L"観測波浪 (*.csv;*.txt;*.dat)\0*.csv;*.txt;*.dat\0All Files (*.*)\0*.*\0";
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!runFileDialog(request, name, MAX_PATH)) return false;
    path = name;
    return true;
}

// Where the report goes when its own folder cannot take it, or the user
// wants another name.
bool chooseReportFile(HWND owner, std::wstring& path) {
    wchar_t name[MAX_PATH] = {};
    const std::size_t slash = path.find_last_of(L'\\');
    const std::wstring file = slash == std::wstring::npos ? path : path.substr(slash + 1);
    file.copy(name, std::min<std::size_t>(file.size(), MAX_PATH - 1));
    FileDialogRequest request;
    request.owner = owner;
    request.title = caption();
    request.filters = L"Csv Files(*.csv)\0*.csv\0All Files(*.*)\0*.*\0";
    request.defaultExtension = L"csv";
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    request.save = true;
    if (!runFileDialog(request, name, MAX_PATH)) return false;
    path = name;
    return true;
}

// Whether a file can be made in the report's folder (a read-only share, a
// CD, a folder of another user).
bool folderTakesFiles(const std::wstring& path) {
    const std::wstring probe = path + L".part";
    ScopedFile file(platform().openFile(probe, "ab"));
    if (!file) return false;
    file.close();
    platform().deleteFile(probe);
    return true;
}

// The report's path: beside the records, asking before it replaces a file.
bool reportPathFor(HWND owner, const std::wstring& records, std::wstring& path) {
    path = batchReportPath(records);
    if (!folderTakesFiles(path)) {
        platform().warn(owner, caption(), fillIn(msg::kBatchFolderReadOnly, {path}));
        return chooseReportFile(owner, path);
    }
    if (!platform().fileExists(path)) return true;
    const std::wstring question = fillIn(msg::kBatchReplaceReport, {path});
    switch (MessageBoxW(owner, question.c_str(), caption().c_str(), MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES:
            return true;
        case IDNO:
            return chooseReportFile(owner, path);
        default:
            return false;
    }
}

std::wstring clockText(double seconds) {
    const long total = static_cast<long>(seconds + 0.5);
    return total >= 3600 ? wformat(L"%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60)
                         : wformat(L"%ld:%02ld", total / 60, total % 60);
}

// The progress window, modeless over a disabled program: only its 中止 takes
// input while the batch runs, and every window keeps painting.
class ProgressWindow {
public:
    ProgressWindow(HWND owner, const std::wstring& file) : owner_(owner) {
        hwnd_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BATCH_PROGRESS), owner, procedure,
                                   reinterpret_cast<LPARAM>(this));
        SetDlgItemTextW(hwnd_, kProgressFile, file.c_str());
        // Everything else of the program waits while the batch runs.
        for (HWND w : {owner, static_cast<HWND>(estimationWindows().paramDialog),
                       static_cast<HWND>(estimationWindows().resultDialog)})
            if (w && IsWindow(w) && IsWindowEnabled(w)) {
                EnableWindow(w, FALSE);
                disabled_.push_back(w);
            }
        RECT own, main;
        GetWindowRect(hwnd_, &own);
        GetWindowRect(owner, &main);
        SetWindowPos(hwnd_, nullptr, (main.left + main.right - (own.right - own.left)) / 2,
                     (main.top + main.bottom - (own.bottom - own.top)) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(hwnd_, SW_SHOW);
        UpdateWindow(hwnd_);
        start_ = Clock::now();
    }
    ~ProgressWindow() {
        for (HWND w : disabled_)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        DestroyWindow(hwnd_);
        if (IsWindow(owner_)) SetForegroundWindow(owner_);
    }

    HWND window() const { return hwnd_; }
    bool stopRequested() const { return stop_; }

    void show(std::size_t done, std::size_t total) {
        SendDlgItemMessageW(hwnd_, kProgressBar, PBM_SETRANGE32, 0, static_cast<LPARAM>(std::max<std::size_t>(total, 1)));
        SendDlgItemMessageW(hwnd_, kProgressBar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
        SetDlgItemTextW(hwnd_, kProgressCount,
                        wformat(L"%llu / %llu 件", static_cast<unsigned long long>(done),
                                static_cast<unsigned long long>(total))
                            .c_str());
        const double elapsed = std::chrono::duration<double>(Clock::now() - start_).count();
        std::wstring time = L"経過 " + clockText(elapsed);
        if (done > 0 && done < total) time += L"　残り " + clockText(elapsed / done * (total - done));
        SetDlgItemTextW(hwnd_, kProgressTime, time.c_str());
        pump();
    }

private:
    // No exception crosses into the system: it becomes a box.
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return guardCallback([&] { return handle(hwnd, message, wParam, lParam); }, []() -> INT_PTR { return TRUE; });
    }
    static INT_PTR handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            return TRUE;
        }
        auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        if (self && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
            self->stop_ = true;
            EnableWindow(GetDlgItem(hwnd, IDCANCEL), FALSE);
            SetDlgItemTextW(hwnd, kProgressTime, L"中止しています…");
            return TRUE;
        }
        return message == WM_CLOSE ? TRUE : FALSE;
    }

    // Between runs: the progress window's own input (中止) and every paint.
    void pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const bool input = (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
                               (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST);
            if (input && msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) continue;
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                stop_ = true;
                break;
            }
            if (!IsDialogMessageW(hwnd_, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }

    HWND owner_;
    HWND hwnd_ = nullptr;
    std::vector<HWND> disabled_;
    Clock::time_point start_;
    bool stop_ = false;
};

// 「一括推定の結果」: modeless, owned by the main window; it keeps its own copy
// of the records and results for the figure, its copy and its print.
struct BatchResultData {
    std::vector<WaveRecord> records;
    std::vector<BatchRecordResult> results;
    std::wstring reportPath;
    std::wstring title;
};

class ResultWindow {
public:
    static void open(HWND owner, std::shared_ptr<BatchResultData> data) {
        auto* self = new ResultWindow(std::move(data));
        HWND hwnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_BATCH_RESULT), owner, procedure,
                                       reinterpret_cast<LPARAM>(self));
        if (!hwnd) {
            delete self;
            return;
        }
        ShowWindow(hwnd, SW_SHOW);
    }

private:
    explicit ResultWindow(std::shared_ptr<BatchResultData> data) : data_(std::move(data)) {}

    // No exception crosses into the system: it becomes a box.
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return guardCallback([&] { return handle(hwnd, message, wParam, lParam); }, []() -> INT_PTR { return TRUE; });
    }
    static INT_PTR handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            reinterpret_cast<ResultWindow*>(lParam)->initialise(hwnd);
            return TRUE;
        }
        auto* self = reinterpret_cast<ResultWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        if (!self) return FALSE;
        switch (message) {
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case kResultCopy:
                        self->copy();
                        return TRUE;
                    case kResultPrint:
                        self->print();
                        return TRUE;
                    case IDCANCEL:
                        DestroyWindow(hwnd);
                        return TRUE;
                }
                return FALSE;
            case WM_CLOSE:
                DestroyWindow(hwnd);
                return TRUE;
            case WM_NCDESTROY:
                SetWindowLongPtrW(hwnd, DWLP_USER, 0);
                delete self;
                return FALSE;
        }
        return FALSE;
    }

    void initialise(HWND hwnd) {
        hwnd_ = hwnd;
        SetDlgItemTextW(hwnd, kResultPath, (L"保存先: " + data_->reportPath).c_str());
        SetDlgItemTextW(hwnd, kResultSummary, widen(batchSummaryText(data_->records, data_->results)).c_str());
        RECT box;
        GetWindowRect(GetDlgItem(hwnd, kResultFrame), &box);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&box), 2);
        ShowWindow(GetDlgItem(hwnd, kResultFrame), SW_HIDE);
        figure_ = createFigureView(hwnd, kResultFigure, box);
        setFigurePainter(figure_, painter());
        RECT own;
        GetWindowRect(hwnd, &own);
        const HWND owner = GetWindow(hwnd, GW_OWNER);
        RECT main{};
        if (owner) GetWindowRect(owner, &main);
        SetWindowPos(hwnd, nullptr, std::max<LONG>(0, (main.left + main.right - (own.right - own.left)) / 2),
                     std::max<LONG>(0, (main.top + main.bottom - (own.bottom - own.top)) / 2), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }

    FigurePainter painter() const {
        auto data = data_;
        return [data](Canvas& canvas, PixelRect frame) { drawBatchFigure(canvas, data->records, data->results, frame); };
    }

    SIZE size() const {
        RECT client;
        GetClientRect(figure_, &client);
        return {std::max<LONG>(client.right, 200), std::max<LONG>(client.bottom, 200)};
    }

    void copy() {
        const SIZE s = size();
        if (!copyFigureToClipboard(hwnd_, painter(), s.cx, s.cy))
            platform().warn(hwnd_, caption(), widen(msg::kFigureCopyFailed));
    }

    void print() {
        const SIZE s = size();
        if (printFigure(hwnd_, L"VORNEL 一括推定の結果 " + data_->title, painter(), s.cx, s.cy) == FigurePrint::Failed)
            platform().warn(hwnd_, caption(), widen(msg::kFigurePrintFailed));
    }

    std::shared_ptr<BatchResultData> data_;
    HWND hwnd_ = nullptr;
    HWND figure_ = nullptr;
};

}  // namespace

void estimateWaveRecord(HWND mainWindow) {
    const EstimationWindows& windows = estimationWindows();
    if (windows.paramDialogOpen < 0 || !windows.paramDialog) {
        platform().warn(mainWindow, caption(), widen(msg::kBatchNeedsCase));
        return;
    }
    BatchStart start;
    SendMessageW(static_cast<HWND>(windows.paramDialog), kBatchCaseMessage, 0, reinterpret_cast<LPARAM>(&start));
    if (!start.ok) return;  // the parameter dialog said why

    std::wstring recordsPath;
    if (!chooseRecordsFile(mainWindow, recordsPath)) return;
    std::string bytes;
    bool tooLarge = false;
    if (!readWhole(recordsPath, bytes, tooLarge)) {
        platform().warn(mainWindow, caption(), fillIn(msg::kReopenCannotRead, {recordsPath}));
        return;
    }
    if (tooLarge) {
        platform().warn(mainWindow, caption(), fillIn(msg::kBatchTooLarge, {recordsPath}));
        return;
    }
    auto data = std::make_shared<BatchResultData>();
    {
        WaveRecordFile file = readWaveRecords(decodeRecordsText(bytes));
        if (file.outcome == RecordsRead::NotRecords) {
            platform().warn(mainWindow, caption(),
                            fillIn(msg::kBatchNotRecords,
                                   {recordsPath, std::to_wstring(file.firstBadLine), file.firstBadText.substr(0, 80)}));
            return;
        }
        if (file.outcome == RecordsRead::TooMany) {
            platform().warn(mainWindow, caption(),
                            fillIn(msg::kBatchTooMany,
                                   {recordsPath, wformat(L"%llu", static_cast<unsigned long long>(file.recordCount)),
                                    wformat(L"%llu", static_cast<unsigned long long>(kMaxWaveRecords))}));
            return;
        }
        data->records = std::move(file.records);
    }
    if (!reportPathFor(mainWindow, recordsPath, data->reportPath)) return;
    data->title = platform().fromCp932(start.site.title);

    RunRecord trace;
    trace.runTime = localTimeText();
    trace.dataSource = describeDataSource();
    std::wstring solverPath;
    if (joinPath(solverPath, dataFolders().programFolder, L"zelvo_v3.exe"))
        trace.solverVersion = platform().fileVersion(solverPath);

    BatchRun run;
    {
        ProgressWindow progress(mainWindow, recordsPath);
        BatchObserver observer;
        observer.progress = [&](std::size_t done, std::size_t total) { progress.show(done, total); };
        observer.stopRequested = [&] { return progress.stopRequested(); };
        observer.inputWindow = progress.window();
        observer.timeLimit = solverTimeLimit();
        BatchSite site;
        site.folder = dataFolders().programFolder;
        site.site = start.site;
        run = runBatchEstimation(site, data->records, observer);
    }
    markAgreements(data->records, run.results, start.relationIndex, start.offshoreDepth);
    data->results = run.results;

    const bool anyDone = std::any_of(run.results.begin(), run.results.end(), [](const BatchRecordResult& r) {
        return r.outcome == BatchOutcome::Done || r.outcome == BatchOutcome::NoCandidate;
    });
    const std::wstring failure = run.fatal.failure == SolverFailure::None
                                     ? std::wstring()
                                     : solverFailureText(run.fatal, solverPath, solverTimeLimit());
    if (!failure.empty() && !anyDone) {
        platform().warn(mainWindow, caption(), failure);
        return;
    }
    const int written = writeReportFile(mainWindow, data->reportPath, [&](ReportWriter& w) {
        writeParameterSection(w, start.fields, start.diffractionOff);
        w.putText(traceLines(trace));
        w.putText("一括推定\n");
        w.putText(std::string(kBatchHeader) + "\n");
        for (std::size_t i = 0; i < data->records.size(); ++i)
            w.putText(batchRecordLines(data->records[i], data->results[i], start.relationIndex, start.offshoreDepth,
                                       &start.site, start.tipDistance));
    });
    if (!failure.empty()) platform().warn(mainWindow, caption(), failure + L"\n" + widen(msg::kBatchWrittenSoFar));
    if (written != 0) data->reportPath = widen(msg::kBatchNotSaved);
    ResultWindow::open(mainWindow, data);
}

}  // namespace vornel
