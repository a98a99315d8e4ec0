// How sure a result is: every input of the run moved down and up by its
// uncertainty, one at a time, and each candidate paired with the perturbed
// run's candidate of the same Smax nearest in θo. A candidate that finds no
// partner within 30° is fragile, and that is itself the finding.
#pragma once

#include <string>
#include <vector>

#include "estimation/result.h"
#include "estimation/solver_case.h"

namespace vornel {

enum SensitivityInput {
    SENS_DIRECTION = 0,  // 波向, degrees
    SENS_THETA_CON,      // θcon, degrees
    SENS_DEPTH,          // 水深 of the quasi-offshore point, percent
    SENS_TIP_DEPTH,      // 回折水深 of the breakwater tip, percent
    SENS_PERIOD,         // 周期 T1/3, seconds
    SENS_HEIGHT,         // 波高 H1/3, percent: Ho scales with it, no run
};
inline constexpr int kSensitivityInputs = 6;

// A perturbed candidate farther than this from the candidate is another wave.
inline constexpr double kPairingLimit = 30.0;

struct Uncertainties {
    double value[kSensitivityInputs] = {5.0, 3.0, 10.0, 10.0, 1.0, 10.0};
};

// 波向, θcon, 水深, 回折水深, 周期, 波高 (UTF-8).
const char* sensitivityItemName(int input);
// The uncertainty as shown: "±5.0°", "±10%", "±1.0s" (UTF-8).
std::string uncertaintyText(int input, double value);

// Whether input `input` is perturbed for this case: the tip depth only with
// the diffraction point, nothing with a zero uncertainty.
bool isPerturbed(int input, const SolverCase& base, double uncertainty);
// Whether the perturbation needs a run of the solver (all but the height).
bool needsSolverRun(int input);

// The case with `input` moved by `sign` (-1 or +1) times its uncertainty,
// everything else as in `base`. False when the moved value leaves what the
// solver accepts (a period or depth of zero or below).
bool perturbedCase(const SolverCase& base, int input, int sign, double uncertainty, SolverCase& out);

struct PairedCandidate {
    bool found = false;
    double ho = 0.0;
    double thetaO = 0.0;
};

// The row of `rows` with the candidate's Smax nearest to it in θo, within the
// pairing limit.
PairedCandidate pairCandidate(const ResultRow& candidate, const ResultRow* rows, int count);

// The rows of one perturbed run: ok false when the run failed.
struct PerturbedRun {
    bool ok = false;
    std::vector<ResultRow> rows;
};

struct CandidateSensitivity {
    ResultRow base;
    bool perturbed[kSensitivityInputs] = {};
    PairedCandidate minus[kSensitivityInputs];
    PairedCandidate plus[kSensitivityInputs];
    bool complete = true;        // every perturbation found its candidate
    double thetaLow = 0.0;       // extremes of θo (azimuths running on from the base)
    double thetaHigh = 0.0;
    double hoLow = 0.0;          // extremes of Ho
    double hoHigh = 0.0;
    double thetaRss = 0.0;       // √Σ (largest one-at-a-time change of θo)², degrees
    double hoRss = 0.0;          // the same of Ho, m
};

struct SensitivityTable {
    bool computed = false;
    Uncertainties uncertainties;
    bool withDiffraction = false;
    std::vector<CandidateSensitivity> candidates;
};

// Pairs every candidate of `base` with the runs: runs[2 i] the minus and
// runs[2 i + 1] the plus run of input i (runs of inputs not perturbed, or
// perturbed without a run, are ignored).
SensitivityTable buildSensitivity(const SolverCase& baseCase, const std::vector<ResultRow>& base,
                                  const Uncertainties& u, const std::vector<PerturbedRun>& runs);

// The sensitivity of the run on screen: empty after each new run, kept after
// its window closes, written into the report.
SensitivityTable& runSensitivity();


// The window's table, one row of texts per line: 候補, 項目, 刻み, θo(−),
// θo(+), Ho(−), Ho(+). Each candidate opens with its own line (Smax, Ho, θo
// and the whole-sea height), then one line per perturbed input, then the
// combined range. `wholeSea[i]` is candidate i's whole-sea height (NaN: not given).
std::vector<std::vector<std::wstring>> sensitivityTableRows(const SensitivityTable& table,
                                                            const std::vector<double>& wholeSea);

// The report's section: a header, then one line per candidate and perturbed
// input `項目,刻み,Smax,θo(−),θo(+),Ho(−),Ho(+)`, empty fields where the
// perturbed run had no candidate (UTF-8, "\n" line ends).
std::string sensitivityReportLines(const SensitivityTable& table);

}  // namespace vornel
