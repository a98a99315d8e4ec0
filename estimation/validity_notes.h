// Where the method behind a result stops holding: notes for the result dialog
// and the report. They never block anything; an engineer reads them beside
// the numbers.
#pragma once

#include <string>
#include <vector>

#include "estimation/result.h"
#include "estimation/solver_case.h"

namespace vornel {

// Limits of the notes.
inline constexpr double kBreakingRatio = 0.3;         // H1/3 / h above it: random-wave breaking
inline constexpr double kShallowRatio = 0.05;         // h / L0 below it: linear shoaling fails
inline constexpr double kAlongshoreMargin = 15.0;     // θo this close to θcon ± 90°: ill-conditioned
inline constexpr double kNearTipWavelengths = 10.0;   // tip to point closer: far-field Kd too small

// The notes (UTF-8), in this order: breaking, shallow water, each candidate
// travelling almost along the coast offshore, a point near the breakwater tip.
// `tipDistance` is the distance from the tip to the quasi-offshore point in
// metres (NaN when not known or without diffraction).
std::vector<std::string> validityNotes(const SolverCase& run, double tipDistance, const ResultRow* rows, int count);

// The notes of one candidate of a batch record in a word each (UTF-8, joined
// by blanks): 砕波, 浅海, 岸沿い, 回折点近傍; empty when none applies.
std::string validityTags(const SolverCase& run, double tipDistance, const ResultRow& row);

// The notes as one text for the dialog's line: joined by line breaks.
std::wstring validityNoteText(const std::vector<std::string>& notes);

}  // namespace vornel
