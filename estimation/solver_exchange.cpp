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
#include "estimation/sensitivity.h"
#include "estimation/solver_run.h"
#include "estimation/validity_notes.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

ResultDialogHook resultDialogHook;

constexpr std::string_view kRowSeparators = " \t\r\n";
constexpr std::string_view kFieldSeparators = "\t\r\n";
constexpr std::string_view kSectionMarker = "*****";
// The first bytes of a value line hold the solver's label.
constexpr std::size_t kValueLabelBytes = 6;

// The next token of `rest` as strtok finds it: separators before it are
// skipped, `rest` moves past it. Empty when no token is left.
std::string_view nextToken(std::string_view& rest, std::string_view separators) {
    const std::size_t begin = rest.find_first_not_of(separators);
    if (begin == std::string_view::npos) {
        rest = std::string_view();
        return rest;
    }
    std::size_t end = rest.find_first_of(separators, begin);
    if (end == std::string_view::npos) end = rest.size();
    const std::string_view token = rest.substr(begin, end - begin);
    rest = rest.substr(end);
    return token;
}

// The line as the C string functions see it: up to a NUL byte, if any.
std::string_view asCString(std::string_view line) {
    return line.substr(0, line.find('\0'));
}

// A result row needs three tokens before a token that begins with '*'.
bool parseRow(std::string_view line, ResultRow& row) {
    std::string_view tokens[3];
    int count = 0;
    while (count < 3) {
        const std::string_view token = nextToken(line, kRowSeparators);
        if (token.empty() || token[0] == '*') break;
        tokens[count++] = token;
    }
    if (count < 3) return false;
    row.smax = textToInt(tokens[0]);
    row.ho = textToReal(tokens[1]);
    row.thetaO = textToReal(tokens[2]);
    row.mark = 0;
    return true;
}

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

void readSolverOutput(LineReader& reader, EstimationResult& result) {
    result.rowCount = 0;
    result.valueCount = 0;
    result.caseName[0] = '\0';
    std::memset(result.values, 0, sizeof result.values);

    std::string_view line;
    if (!reader.next(line)) return;  // the header line

    // The result table ends at the end of the file, at a line that is not a
    // row (that line is used up) or after the last row the record holds.
    while (result.rowCount < kMaxResultRows) {
        if (!reader.next(line)) return;
        if (!parseRow(asCString(line), result.rows[result.rowCount])) break;
        ++result.rowCount;
    }

    // Skip up to and including the next marker line.
    for (;;) {
        if (!reader.next(line)) return;
        if (asCString(line).starts_with(kSectionMarker)) break;
    }

    if (!reader.next(line)) return;
    std::string_view rest = asCString(line);
    copyField(result.caseName, nextToken(rest, kFieldSeparators));

    while (result.valueCount < kMaxEchoValues && reader.next(line)) {
        const std::string_view text = asCString(line);
        if (text.size() <= kValueLabelBytes) continue;
        rest = text.substr(kValueLabelBytes);
        const std::string_view value = nextToken(rest, kFieldSeparators);
        if (value.empty()) continue;
        copyField(result.values[result.valueCount++], value);  // cut to 31 bytes
    }
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
    record.tipDistance = params.diffractionOff == 0 && params.diffractionPoint.isSet() && params.quasiOffshorePoint.isSet()
                             ? std::hypot(params.quasiOffshorePoint.north - params.diffractionPoint.north,
                                          params.quasiOffshorePoint.east - params.diffractionPoint.east)
                             : std::nan("");
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
