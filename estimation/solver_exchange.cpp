#include "estimation/solver_exchange.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "bathymetry/data_folder.h"
#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "estimation/run_checks.h"
#include "estimation/run_record.h"
#include "estimation/solver_output.h"
#include "estimation/sensitivity.h"
#include "estimation/solver_run.h"
#include "estimation/validity_notes.h"
#include "estimation/wave.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

ResultDialogHook resultDialogHook;

}  // namespace

std::chrono::milliseconds& solverTimeLimit() {
    static std::chrono::milliseconds limit = kSolverTimeLimit;
    return limit;
}

ResultDialogHook setResultDialogHook(ResultDialogHook hook) {
    ResultDialogHook previous = std::move(resultDialogHook);
    resultDialogHook = std::move(hook);
    return previous;
}

std::string solverInputText(std::string_view title, double theta, double height, double period, double direction) {
    return solverInputText(solverCaseOf(estimationParams(), title, theta, height, period, direction));
}

int runEstimation(WindowRef dialog, std::string_view titleIn, int relationIndex, double theta, double height,
                  double period, double direction, const FieldSnapshot* fields) {
    Platform& p = platform();
    const std::wstring caption = widen(msg::kRunCaption);
    const std::string title = titleIn.empty() ? std::string("Test") : std::string(titleIn);

    const std::wstring problems = checkRunInputs(title, theta, height, period, direction);
    if (!problems.empty()) {
        p.warn(dialog, caption, problems);
        return -1;
    }

    const EstimationParams& params = estimationParams();
    const SolverCase solverCase = solverCaseOf(params, title, theta, height, period, direction);
    const std::wstring& folder = dataFolders().programFolder;
    SolverRunSettings settings;
    settings.timeLimit = solverTimeLimit();
    const SolverRun run = runSolverCase(folder, solverCase, settings);

    // Nothing was written: the previous run's record stays whole.
    const bool inputWritten = run.failure != SolverFailure::PathTooLong && run.failure != SolverFailure::Busy &&
                              run.failure != SolverFailure::CannotWriteInput;
    EstimationResult& result = estimationResult();
    if (inputWritten) {
        result.runDirection = direction;
        result.relationIndex = relationIndex;
    }
    if (run.failure != SolverFailure::None) {
        std::wstring solverPath;
        joinPath(solverPath, folder, L"zelvo_v3.exe");
        p.warn(dialog, caption, solverFailureText(run, solverPath, solverTimeLimit()));
        return run.failure == SolverFailure::CannotOpenOutput ? 1 : -1;
    }

    // The output replaces the record, and the case as it ran replaces the
    // record of the run on screen.
    result.rowCount = run.result.rowCount;
    std::copy(std::begin(run.result.rows), std::end(run.result.rows), std::begin(result.rows));
    std::memcpy(result.caseName, run.result.caseName, sizeof result.caseName);
    result.valueCount = run.result.valueCount;
    std::memcpy(result.values, run.result.values, sizeof result.values);
    RunRecord& record = runRecord();
    record = RunRecord();
    record.valid = true;
    record.solverCase = solverCase;
    if (fields) record.fields = *fields;
    record.diffractionOff = params.diffractionOff != 0;
    record.offshoreDepth = params.offshorePoint.depth;
    record.tipDistance = tipToPointDistance(params);
    record.runTime = localTimeText();
    record.dataSource = describeDataSource();
    std::wstring solverPath;
    if (joinPath(solverPath, folder, L"zelvo_v3.exe")) record.solverVersion = p.fileVersion(solverPath);
    record.curves = run.curves;
    record.notes = validityNotes(solverCase, record.tipDistance, result.rows, std::clamp(result.rowCount, 0, kMaxResultRows));
    runSensitivity() = SensitivityTable();

    if (result.rowCount > 0) {
        if (resultDialogHook) resultDialogHook(dialog);
        return 0;
    }
    p.warn(dialog, caption, widen(msg::kNoResult));
    return -1;
}

}  // namespace vornel
