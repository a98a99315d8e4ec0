// The numbers of one solver case exactly as zelvo-in.txt carries them: what a
// run, a perturbed run of the sensitivity and a batch record each send.
#pragma once

#include <string>
#include <string_view>

#include "estimation/params.h"

namespace vornel {

// θdiff the solver receives when the diffraction point takes no part: its
// own marker, not the angle sentinel.
inline constexpr double kNoDiffractionMarker = 999.0;

struct SolverCase {
    std::string title;  // 8-bit, as line 1 of the input
    double thetaCon = 0.0;
    double thetaDiff = kNoDiffractionMarker;
    double theta = 0.0;     // θ seen from the breakwater tip; 0 without diffraction
    double tipDepth = 0.0;  // 0 without diffraction
    double pointDepth = 0.0;
    double height = 0.0;
    double period = 0.0;
    double direction = 0.0;

    bool withDiffraction() const { return thetaDiff < 900.0; }
};

// The case of a run from the parameters and the four run inputs as read.
SolverCase solverCaseOf(const EstimationParams& params, std::string_view title, double theta, double height,
                        double period, double direction);

// The nine lines of zelvo-in.txt, CR LF line ends.
std::string solverInputText(const SolverCase& c);

// A value as the solver reads it back from the input file ("%.1f"): the
// program decides what depends on θcon and θdiff from these, so that it and
// the solver always agree.
double asWrittenTenths(double value);

// The side of the virtual breakwater as the solver decides it from θcon and
// θdiff as written: true when θcon lies clockwise of θdiff (δ >= 0 after
// δ is brought into [-180, 180]).
bool contourClockwiseOfBreakwater(double thetaCon, double thetaDiff);

}  // namespace vornel
