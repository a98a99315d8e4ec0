// One run of the solver program in the program folder, without any window:
// the input file, the old outputs deleted, the program run (one at a time per
// folder, also across VORNEL windows), its exit status, and the outputs read
// back. The run of 計算開始, the sensitivity's perturbed runs and the batch's
// runs of single records all go through here.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "estimation/response_curves.h"
#include "estimation/result.h"
#include "estimation/solver_case.h"
#include "platform/platform.h"

namespace vornel {

enum class SolverFailure {
    None,
    PathTooLong,       // a path passes the path buffer (`path` names it)
    Busy,              // another run holds the folder
    CannotWriteInput,  // zelvo-in.txt cannot be written
    SolverMissing,     // zelvo_v3.exe is not there
    CannotDeleteOld,   // an old output could not be deleted (`path`)
    NotStarted,        // the program could not be started
    TimedOut,          // ended at the time limit
    Stopped,           // ended because the user stopped it
    ExitStatus,        // ended with a non-zero exit status (`exitCode`)
    CannotOpenOutput,  // zelvo-out_<title>.tmp is missing
};

struct SolverRunSettings {
    std::chrono::milliseconds timeLimit{60'000};
    WindowRef inputWindow = nullptr;      // served while the program runs
    std::function<bool()> stopRequested;  // asked while it runs
};

struct SolverRun {
    SolverFailure failure = SolverFailure::None;
    int exitCode = 0;
    std::wstring path;       // the file a failure concerns
    EstimationResult result;  // what the output held (rows, case name, echo values)
    ResponseCurves curves;    // empty when the solver wrote no response file
};

// The lock file that lets one run at a time use a program folder.
inline constexpr wchar_t kRunLockName[] = L"zelvo-run.lock";
// How long a run waits for another VORNEL's run to end before it gives up.
inline constexpr std::chrono::milliseconds kRunLockWait{20'000};
// The wait runs use: kRunLockWait, shortened by tests.
std::chrono::milliseconds& runLockWait();

struct FolderLock {
    std::unique_ptr<FileLock> lock;  // nullptr also where the folder takes no lock file
    bool busy = false;               // another run still held it after the wait
};
// Takes the folder's run lock, waiting (the windows painting) up to
// runLockWait(). A folder where the lock file cannot be made at all is no
// reason to refuse: writing the input then fails with its own message.
FolderLock lockSolverFolder(const std::wstring& folder);

// The old outputs of `title` in `folder` deleted: false (and `failed` naming
// the file) when one exists and cannot be deleted.
bool deleteOldOutputs(const std::wstring& folder, const std::wstring& wideTitle, std::wstring& failed);

// One case: lock, input, old outputs deleted, run, outputs read.
SolverRun runSolverCase(const std::wstring& folder, const SolverCase& c, const SolverRunSettings& settings);

// The message of a failed run (UTF-16), for a box under "簡易逆推定の実行".
std::wstring solverFailureText(const SolverRun& run, const std::wstring& solverPath,
                               std::chrono::milliseconds timeLimit);

// Why the solver ended with `exitCode`, as zelvo_v3 uses the codes (UTF-8).
const char* exitStatusReason(int exitCode);

}  // namespace vornel
