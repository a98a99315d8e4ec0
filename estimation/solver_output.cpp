#include "estimation/solver_output.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "estimation/numeric_text.h"
#include "platform/text.h"

namespace vornel {

namespace {

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

std::vector<std::string_view> solverFileTokens(std::string_view line, std::size_t max) {
    std::vector<std::string_view> out;
    std::size_t pos = 0;
    while (out.size() < max) {
        pos = line.find_first_not_of(" \t\r\n", pos);
        if (pos == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t\r\n", pos), line.size());
        out.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return out;
}

bool solverFileNumber(std::string_view token, double& value) {
    if (token.empty() || token.size() > 40) return false;
    const std::string text(token);
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(value);
}

}  // namespace vornel
