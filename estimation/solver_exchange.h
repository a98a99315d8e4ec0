// The exchange with the solver program zelvo_v3.exe in the program folder:
// the checks, the input file zelvo-in.txt, the blocking run and the reading of
// zelvo-out_<title>.tmp into the result record.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "estimation/result.h"
#include "estimation/run_record.h"
#include "estimation/solver_output.h"
#include "platform/line_reader.h"
#include "platform/platform.h"

namespace vornel {

// Called after a run that read at least one row, with the parameter dialog as
// owner. The result dialog installs it: it opens the dialog when it is closed
// and re-runs its initialisation when it is already open.
using ResultDialogHook = std::function<void(WindowRef paramDialog)>;
// Installs `hook` (an empty one removes it) and returns the previous one.
ResultDialogHook setResultDialogHook(ResultDialogHook hook);

// How long the solver may run before it is ended: a replaced or damaged
// program, or one stuck on odd input, must not freeze VORNEL for good.
inline constexpr std::chrono::seconds kSolverTimeLimit{60};
// The limit runs use: kSolverTimeLimit, shortened by tests.
std::chrono::milliseconds& solverTimeLimit();

// One run. `title` is the 8-bit title ("Test" stands in for an empty one).
// Returns 0 when rows were read and handed to the result dialog; -1 after the
// message of a failed check, an input file that cannot be written, a missing
// solver, another run holding the folder, an old output that cannot be
// deleted, a run ended at the time limit or with a non-zero exit status, or an
// output without rows; 1 after the message that the output file cannot be
// opened. Every message is owned by `dialog`.
// `fields`, when given, are the parameter dialog's texts at the start: the
// record of the run on screen keeps them for the report.
int runEstimation(WindowRef dialog, std::string_view title, int relationIndex, double theta, double height,
                  double period, double direction, const FieldSnapshot* fields = nullptr);

// The nine lines of zelvo-in.txt for these inputs, CR LF line ends.
std::string solverInputText(std::string_view title, double theta, double height, double period, double direction);


}  // namespace vornel
