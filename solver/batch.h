// Batch mode: the candidates of many observed waves at one site in one run. The wave at the point
// for a unit Ho depends on the period and theta_o but not on H1/3, so the records are grouped by
// period and every group shares the evaluations of its sweeps; the groups run on all cores. Each
// record's candidates are those of a single case with its values, to the last bit.
#pragma once

#include <string>
#include <vector>

#include "batch_input.h"

namespace zelvo {

std::string batchOutputFileName(const std::string& title);  // zelvo-batch-out_<title>.txt
// Written under this name and renamed into place when complete, so a cut file is never read.
std::string batchPartFileName(const std::string& title);  // zelvo-batch-out_<title>.part

// The output line(s) of every record, in record order, each line ending in CR LF:
// "<record> <smax> <ho> <thetaO> <share>" per candidate, "<record> none", or
// "<record> error <reason>". `threads` 0: as many as the machine has cores.
std::vector<std::string> estimateRecords(const BatchInput& input, unsigned threads = 0);

// The whole file: "zelvo_v3 batch <version>", the records' lines, "end <records>". ASCII, CR LF.
std::string formatBatchOutput(const std::vector<std::string>& recordLines);

}  // namespace zelvo
