// The inverse estimation: offshore directions and heights that reproduce the wave observed at the
// quasi-offshore point, for each of the standard spreading concentrations.
#pragma once

#include <unordered_map>
#include <vector>

#include "transform.h"

namespace zelvo {

// Smax of wind waves, of swell with a short and with a long decay distance (Goda & Suzuki 1975),
// searched in this order.
inline constexpr int kSmaxCases[] = {10, 25, 75};
inline constexpr int kSmaxCount = 3;
inline constexpr int kMaxCandidates = 20;  // rows the main program reads
// A root at which less than this share of the offshore height arrives is not reported: Ho would
// exceed 100 times the observed height, far outside any sea state the model is meant for.
inline constexpr double kMinCoefficient = 0.01;

// The response curve: theta_o - theta_con from -89.5 to +89.5 every 0.5 degree. Every other point
// is a sample of the inverse's 1-degree search, the others the first halving of its brackets.
inline constexpr double kCurveFirst = -89.5;
inline constexpr double kCurveStep = 0.5;
inline constexpr int kCurvePoints = 359;

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

// The forward model of one site, period and Smax with every evaluation kept. The wave at the
// point for a unit Ho does not depend on H1/3, so the inverse's samples and bisection steps, the
// response curve and every record of a batch with this period share the evaluations. A cached
// value is the very value a fresh evaluation gives, so results never depend on what was cached.
class ResponseSweep {
public:
    ResponseSweep(const Site& site, double period, int smax, const Grid& grid = Grid());
    int smax() const { return smax_; }
    const Site& site() const { return model_.site(); }
    // The wave at the point for theta_o = theta_con + principal (degrees): reached, coefficient,
    // direction and shorewardShare (ForwardModel::Detail::atThePoint).
    const Transformation& at(double principal);
    // Every field there, for a candidate's report; the fields of at() have the same values.
    Transformation complete(double principal) const;
    // The curve's point i, 0 <= i < kCurvePoints.
    const Transformation& curvePoint(int i) { return at(kCurveFirst + i * kCurveStep); }

private:
    ForwardModel model_;
    int smax_;
    std::unordered_map<double, Transformation> evaluated_;
};

// The three sweeps of one site and period, in the order of kSmaxCases.
struct SiteResponse {
    SiteResponse(const Site& site, double period, const Grid& grid = Grid());
    std::vector<ResponseSweep> sweeps;
};

// Every principal direction theta_o - theta_con on the sea side (-90, 90) whose mean direction at
// the point equals `direction`: sampled every 1 degree, each sign change bracketed and bisected to
// 0.01 degree. Sorted along the contour line from one side to the other.
std::vector<double> findPrincipalDirections(ResponseSweep& sweep, double direction);

// Candidates for Smax 10, 25 and 75 in that order, at most kMaxCandidates in all.
std::vector<Candidate> estimateOffshoreWaves(SiteResponse& response, double height, double direction);
std::vector<Candidate> estimateOffshoreWaves(const Observation& observed, const Grid& grid = Grid());

}  // namespace zelvo
