// The solver's result file zelvo-out_<title>.tmp as this program reads it:
// a header, the table of candidates, lines skipped up to the "*****" marker,
// the case name and the echo values.
#pragma once

#include <cstddef>
#include <limits>
#include <string_view>
#include <vector>

#include "estimation/result.h"
#include "platform/line_reader.h"

namespace vornel {

// Reads the output into `result`, which starts empty.
void readSolverOutput(LineReader& reader, EstimationResult& result);

// For the readers of the solver's other files (the response file, the batch
// output): the blank-separated tokens of a line, at most `max` of them, and a
// number written in full (every character of the token used, finite).
std::vector<std::string_view> solverFileTokens(std::string_view line,
                                               std::size_t max = std::numeric_limits<std::size_t>::max());
bool solverFileNumber(std::string_view token, double& value);

}  // namespace vornel
