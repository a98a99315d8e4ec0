// The inverse estimation: offshore directions and heights that reproduce the wave observed at the
// quasi-offshore point, for each of the standard spreading concentrations.
#pragma once

#include <vector>

#include "transform.h"

namespace zelvo {

// Smax of wind waves, of swell with a short and with a long decay distance (Goda & Suzuki 1975),
// searched in this order.
inline constexpr int kSmaxCases[] = {10, 25, 75};
inline constexpr int kMaxCandidates = 20;  // rows the main program reads
// A root at which less than this share of the offshore height arrives is not reported: Ho would
// exceed 100 times the observed height, far outside any sea state the model is meant for.
inline constexpr double kMinCoefficient = 0.01;

struct Observation {
    Site site;
    double height = 0.0;     // H1/3 at the point (m)
    double period = 0.0;     // T1/3 (s)
    double direction = 0.0;  // observed mean direction at the point (azimuth)
};

struct Candidate {
    int smax = 0;
    double offshoreHeight = 0.0;     // Ho (m)
    double offshoreDirection = 0.0;  // theta_o in [0, 360)
    Transformation transformation;   // at theta_o, for a unit Ho
};

// Every theta_o from the sea side (|theta_o - theta_con| < 90) whose mean direction at the point
// equals `direction`: sampled every 1 degree, each sign change bracketed and bisected to 0.01
// degree. Sorted along the contour line from one side to the other.
std::vector<double> findOffshoreDirections(const ForwardModel& model, double direction);

// Candidates for Smax 10, 25 and 75 in that order, at most kMaxCandidates in all.
std::vector<Candidate> estimateOffshoreWaves(const Observation& observed, const Grid& grid = Grid());

}  // namespace zelvo
