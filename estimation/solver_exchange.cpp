#include "estimation/solver_exchange.h"

#include <cstring>

#include "bathymetry/data_folder.h"
#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "estimation/run_checks.h"
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

void appendInputLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
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
    const EstimationParams& p = estimationParams();
    // Without the diffraction point the solver gets 999.0 as θdiff (its own
    // marker, not the angle sentinel) and zeros for θ and the tip depth.
    const bool off = p.diffractionOff != 0;
    std::string text;
    appendInputLine(text, std::string(title));
    appendInputLine(text, format("azim**|%5.1f", p.thetaCon));
    appendInputLine(text, format("angl**|%5.1f", off ? 999.0 : breakwaterNormal(p.shoreNormal)));
    appendInputLine(text, format("sit***|%5.1f", off ? 0.0 : theta));
    appendInputLine(text, format("hh_B**|%5.1f", off ? 0.0 : p.diffractionPoint.depth));
    appendInputLine(text, format("hh_A**|%5.1f", p.quasiOffshorePoint.depth));
    appendInputLine(text, format("h13***|%5.2f", height));
    appendInputLine(text, format("t13***|%5.2f", period));
    appendInputLine(text, format("dir***|%5.1f", direction));
    return text;
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
                  double period, double direction) {
    Platform& p = platform();
    const std::wstring caption = widen(msg::kRunCaption);
    const std::string title = titleIn.empty() ? std::string("Test") : std::string(titleIn);

    const std::wstring problems = checkRunInputs(title, theta, height, period, direction);
    if (!problems.empty()) {
        p.warn(dialog, caption, problems);
        return -1;
    }

    // Every path of the run is built first: a folder too long for one of them
    // stops the run before anything is written or deleted.
    const std::wstring& folder = dataFolders().programFolder;
    const std::wstring wideTitle = p.fromCp932(title);
    std::wstring inputPath, solverPath, outputPath, listingPath;
    if (!joinPathOrWarn(inputPath, folder, L"zelvo-in.txt", dialog, caption) ||
        !joinPathOrWarn(solverPath, folder, L"zelvo_v3.exe", dialog, caption) ||
        !joinPathOrWarn(outputPath, folder, L"zelvo-out_" + wideTitle + L".tmp", dialog, caption) ||
        !joinPathOrWarn(listingPath, folder, L"zelvo-out_" + wideTitle + L".txt", dialog, caption))
        return -1;

    {
        ScopedFile input(p.openFile(inputPath, "wb"));
        bool written = static_cast<bool>(input);
        if (written) {
            const std::string text = solverInputText(title, theta, height, period, direction);
            written = std::fwrite(text.data(), 1, text.size(), input.get()) == text.size();
            written = input.close() && written;  // a full disk shows only here
        }
        if (!written) {
            p.warn(dialog, caption, widen(msg::kCannotCreateInput));
            return -1;
        }
    }

    EstimationResult& result = estimationResult();
    result.runDirection = direction;
    result.relationIndex = relationIndex;

    if (!p.fileExists(solverPath)) {
        p.warn(dialog, caption, widen(msg::kSolverMissing));
        return -1;
    }

    // Old outputs must go, so that a failed run cannot show the last one's.
    p.deleteFile(outputPath);
    p.deleteFile(listingPath);
    ProgramRun run;
    {
        WaitCursor wait;
        ProgramRunOptions options;
        options.timeLimit = solverTimeLimit();
        run = p.runProgram(solverPath, folder, options);  // its exit status says nothing we use
    }
    if (run == ProgramRun::TimedOut) {
        // What it left behind is no result of this run.
        const auto seconds = std::chrono::ceil<std::chrono::seconds>(solverTimeLimit()).count();
        p.warn(dialog, caption, fillIn(msg::kSolverTimedOut, {std::to_wstring(seconds), solverPath}));
        return -1;
    }

    ScopedFile output(p.openFile(outputPath, "rb"));
    if (!output) {
        p.warn(dialog, caption, widen(msg::kCannotOpenOutput));
        return 1;
    }
    {
        LineReader reader(output.get());
        readSolverOutput(reader, result);
    }
    output.close();

    if (result.rowCount > 0) {
        if (resultDialogHook) resultDialogHook(dialog);
        return 0;
    }
    p.warn(dialog, caption, widen(msg::kNoResult));
    return -1;
}

}  // namespace vornel
