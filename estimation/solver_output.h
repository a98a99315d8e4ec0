// The solver's result file zelvo-out_<title>.tmp as this program reads it:
// a header, the table of candidates, lines skipped up to the "*****" marker,
// the case name and the echo values.
#pragma once

#include "estimation/result.h"
#include "platform/line_reader.h"

namespace vornel {

// Reads the output into `result`, which starts empty.
void readSolverOutput(LineReader& reader, EstimationResult& result);

}  // namespace vornel
