// The perturbed runs of a sensitivity: each input of the run on screen moved
// down and up by its uncertainty, one at a time, through the same exchange as
// 計算開始 but under a title of their own, whose files are deleted again; the
// run's own input file is put back afterwards, so that the run on screen and
// its files stay as they were.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "estimation/sensitivity.h"
#include "estimation/solver_run.h"

namespace vornel {

// The title of the perturbed runs: it names their files, never the user's.
inline constexpr char kSensitivityTitle[] = "VORNEL-sensitivity";

struct SensitivityFailure {
    std::string what;    // "波向 −5.0°" (UTF-8)
    std::wstring why;    // the failed run's message
};

// Runs the perturbations of `run` (its candidates `base`) and pairs them.
// `progress(done, total, what)` is called before each run. Failed runs pair
// nothing and are listed in `failures`.
SensitivityTable computeSensitivity(const std::wstring& folder, const SolverCase& run,
                                    const std::vector<ResultRow>& base, const Uncertainties& u,
                                    const SolverRunSettings& settings,
                                    const std::function<void(int, int, const std::string&)>& progress,
                                    std::vector<SensitivityFailure>& failures);

// "波向 −5.0°": the input and the signed step of one perturbed run (UTF-8).
std::string perturbationName(int input, int sign, double uncertainty);

}  // namespace vornel
