#include "estimation/solver_run.h"

#include "estimation/messages.h"
#include "estimation/solver_output.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

constexpr std::chrono::milliseconds kLockRetry{250};

// The three outputs of a title: the result the run reads, the engineer's
// report and the response curves.
constexpr const wchar_t* kOutputSuffixes[] = {L".tmp", L".txt", L".crv"};

bool writeWhole(const std::wstring& path, const std::string& text) {
    Platform& p = platform();
    ScopedFile file(p.openFile(path, "wb"));
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    return file.close() && written;  // a full disk shows only here
}

}  // namespace

std::chrono::milliseconds& runLockWait() {
    static std::chrono::milliseconds wait = kRunLockWait;
    return wait;
}

FolderLock lockSolverFolder(const std::wstring& folder) {
    FolderLock result;
    std::wstring path;
    if (!joinPath(path, folder, kRunLockName)) return result;
    Platform& p = platform();
    for (auto waited = std::chrono::milliseconds(0);; waited += kLockRetry) {
        bool held = false;
        result.lock = p.tryLockFile(path, held);
        if (result.lock || !held) return result;
        if (waited >= runLockWait()) {
            result.busy = true;
            return result;
        }
        p.pausePainting(kLockRetry);
    }
}

bool deleteOldOutputs(const std::wstring& folder, const std::wstring& wideTitle, std::wstring& failed) {
    Platform& p = platform();
    for (const wchar_t* suffix : kOutputSuffixes) {
        const std::wstring name = L"zelvo-out_" + wideTitle + suffix;
        std::wstring path;
        if (!joinPath(path, folder, name)) continue;
        // An old output that stays (held open by another program, or not a
        // file at all) would be read as this run's result.
        if (!p.deleteFile(path) && !p.listDirectory(folder, name).empty()) {
            failed = path;
            return false;
        }
    }
    return true;
}

SolverRun runSolverCase(const std::wstring& folder, const SolverCase& c, const SolverRunSettings& settings) {
    Platform& p = platform();
    SolverRun run;
    const std::wstring wideTitle = p.fromCp932(c.title);
    std::wstring inputPath, solverPath, outputPath, curvesPath;
    // Every path is built first: a folder too long for one of them stops the
    // run before anything is written or deleted.
    for (auto [out, name] : {std::pair{&inputPath, std::wstring(L"zelvo-in.txt")},
                             std::pair{&solverPath, std::wstring(L"zelvo_v3.exe")},
                             std::pair{&outputPath, L"zelvo-out_" + wideTitle + L".tmp"},
                             std::pair{&curvesPath, L"zelvo-out_" + wideTitle + L".crv"}}) {
        if (!joinPath(*out, folder, name)) {
            run.failure = SolverFailure::PathTooLong;
            run.path = folder + L"\\" + name;
            return run;
        }
    }
    const FolderLock lock = lockSolverFolder(folder);
    if (lock.busy) {
        run.failure = SolverFailure::Busy;
        run.path = folder;
        return run;
    }
    if (!writeWhole(inputPath, solverInputText(c))) {
        run.failure = SolverFailure::CannotWriteInput;
        run.path = inputPath;
        return run;
    }
    if (!p.fileExists(solverPath)) {
        run.failure = SolverFailure::SolverMissing;
        run.path = solverPath;
        return run;
    }
    if (!deleteOldOutputs(folder, wideTitle, run.path)) {
        run.failure = SolverFailure::CannotDeleteOld;
        return run;
    }

    ProgramRunOptions options;
    options.timeLimit = settings.timeLimit;
    options.inputWindow = settings.inputWindow;
    options.stopRequested = settings.stopRequested;
    ProgramRunResult ran;
    {
        WaitCursor wait;
        ran = p.runProgram(solverPath, folder, options);
    }
    run.exitCode = ran.exitCode;
    switch (ran.outcome) {
        case ProgramRun::NotStarted:
            run.failure = SolverFailure::NotStarted;
            run.path = solverPath;
            return run;
        case ProgramRun::TimedOut:
            // What it left behind is no result of this run.
            run.failure = SolverFailure::TimedOut;
            run.path = solverPath;
            return run;
        case ProgramRun::Stopped:
            run.failure = SolverFailure::Stopped;
            return run;
        case ProgramRun::Finished:
            break;
    }
    if (ran.exitCode != 0) {
        run.failure = SolverFailure::ExitStatus;
        run.path = solverPath;
        return run;
    }

    ScopedFile output(p.openFile(outputPath, "rb"));
    if (!output) {
        run.failure = SolverFailure::CannotOpenOutput;
        run.path = outputPath;
        return run;
    }
    {
        LineReader reader(output.get());
        readSolverOutput(reader, run.result);
    }
    output.close();
    // The response curves are optional: a solver without them leaves none.
    if (ScopedFile curves{p.openFile(curvesPath, "rb")}) {
        LineReader reader(curves.get());
        readResponseCurves(reader, run.curves);
    }
    return run;
}

const char* exitStatusReason(int exitCode) {
    switch (exitCode) {
        case 1:
            return "入力ファイルの値を読めませんでした";
        case 2:
            return "タイトルを出力ファイルの名前にできませんでした";
        case 3:
            return "出力ファイルを書き込めませんでした";
        case 4:
            return "プログラム内部のエラーです";
        default:
            return "理由は不明です";
    }
}

std::wstring solverFailureText(const SolverRun& run, const std::wstring& solverPath,
                               std::chrono::milliseconds timeLimit) {
    switch (run.failure) {
        case SolverFailure::None:
            return std::wstring();
        case SolverFailure::PathTooLong:
            return fillIn("ファイルのパスが長すぎます。[%s]", {run.path});
        case SolverFailure::Busy:
            return fillIn(msg::kSolverBusy, {run.path});
        case SolverFailure::CannotWriteInput:
            return widen(msg::kCannotCreateInput);
        case SolverFailure::SolverMissing:
            return widen(msg::kSolverMissing);
        case SolverFailure::CannotDeleteOld:
            return fillIn(msg::kCannotDeleteOldOutput, {run.path});
        case SolverFailure::NotStarted:
            return fillIn(msg::kSolverNotStarted, {solverPath});
        case SolverFailure::TimedOut: {
            const auto seconds = std::chrono::ceil<std::chrono::seconds>(timeLimit).count();
            return fillIn(msg::kSolverTimedOut, {std::to_wstring(seconds), solverPath});
        }
        case SolverFailure::Stopped:
            return widen(msg::kSolverStopped);
        case SolverFailure::ExitStatus:
            return fillIn(msg::kSolverExitStatus,
                          {std::to_wstring(run.exitCode), widen(exitStatusReason(run.exitCode)), solverPath});
        case SolverFailure::CannotOpenOutput:
            return widen(msg::kCannotOpenOutput);
    }
    return std::wstring();
}

}  // namespace vornel
