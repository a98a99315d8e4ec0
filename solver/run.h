// One run of the solver in the current folder: read zelvo-in.txt, estimate, write the three outputs.
#pragma once

#include <cstdio>

namespace zelvo {

enum ExitCode {
    EXIT_OK = 0,            // outputs written (possibly without candidates)
    EXIT_BAD_INPUT = 1,     // input file missing, unreadable or malformed, or a value out of range; bad arguments
    EXIT_BAD_TITLE = 2,     // the title cannot be part of a file name in this folder
    EXIT_WRITE_FAILED = 3,  // an output file could not be written; none is left behind
    EXIT_INTERNAL = 4,      // anything unexpected (out of memory)
};

// Reports a failure as one line on `errors` and writes nothing.
int runInCurrentFolder(std::FILE* errors);

// Batch mode: reads zelvo-batch-in.txt, writes zelvo-batch-out_<title>.txt. The exit codes are the
// single case's; a record the single case would refuse is reported in the output, not by the code.
int runBatchInCurrentFolder(std::FILE* errors);

}  // namespace zelvo
