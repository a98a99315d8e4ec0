// The batch estimation's results and how one record becomes lines of its
// report: `日時,H1/3,T1/3,波向,Smax,Ho,θo,推定式Smax,判定,全体Ho,注意`, one line
// per candidate, or one line with the candidate fields empty and 注意 saying
// why there is none.
#pragma once

#include <string>
#include <vector>

#include "estimation/result.h"
#include "estimation/solver_case.h"
#include "estimation/wave_records.h"

namespace vornel {

enum class BatchOutcome {
    NotRun,       // missing, out of range or unreadable: never run
    Done,         // the solver gave candidates
    NoCandidate,  // the solver ran and found none
    Failed,       // the run of this record failed (`failure` says why)
    Stopped,      // 中止 came before this record
};

struct BatchCandidate {
    ResultRow row;
    double share = -1.0;  // shoreward share of the offshore energy; < 0 when not given
};

struct BatchRecordResult {
    BatchOutcome outcome = BatchOutcome::Stopped;
    std::vector<BatchCandidate> candidates;
    std::string failure;  // UTF-8
};

// The header line of the records part (UTF-8, without line end).
inline constexpr char kBatchHeader[] = "日時,H1/3,T1/3,波向,Smax,Ho,θo,推定式Smax,判定,全体Ho,注意";

// The lines of one record, UTF-8 with "\n" line ends. The estimated Smax and
// its ◯ use relation `relationIndex` (0: none) at the wavelength of the
// record's period at `offshoreDepth`.
// With `site`, each candidate's 注意 also names the validity notes that apply
// to it (砕波, 浅海, 岸沿い, 回折点近傍) for the site and the record's wave.
std::string batchRecordLines(const WaveRecord& record, const BatchRecordResult& result, int relationIndex,
                             double offshoreDepth, const SolverCase* site = nullptr, double tipDistance = 0.0);

// A field for a CSV line: quoted when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text);

}  // namespace vornel
