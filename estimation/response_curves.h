// The solver's response file zelvo-out_<title>.crv: for each Smax, the
// direction reached at the point, the coefficient K and the shoreward share of
// the offshore energy against θo over the sea side, and the share at each
// candidate. A solver that does not write it leaves the record empty, and
// everything that uses it says so instead of guessing.
#pragma once

#include <string>
#include <vector>

#include "estimation/result.h"
#include "platform/line_reader.h"

namespace vornel {

struct ResponseCandidate {
    int smax = 0;
    double ho = 0.0;
    double thetaO = 0.0;
    double share = 0.0;  // shoreward share of the offshore energy at θo
};

// One sample of a curve. θo and the direction are azimuths that run on over
// the sweep (they may lie below 0 or from 360 on); the direction is NaN where
// no energy reaches the point.
struct ResponseSample {
    double thetaO = 0.0;
    double direction = 0.0;
    double k = 0.0;
    double share = 0.0;
};

struct ResponseCurve {
    int smax = 0;
    std::vector<ResponseSample> samples;  // in the file's order (θo rising)
};

struct ResponseCurves {
    std::string header;  // the first line, as the solver names itself
    std::vector<ResponseCandidate> candidates;
    std::vector<ResponseCurve> curves;  // one per Smax, in the file's order
    bool empty() const { return candidates.empty() && curves.empty(); }
};

// Caps of a file this program takes: the solver writes three curves of 359
// samples; a file beyond these is not one it wrote.
inline constexpr std::size_t kMaxResponseCurves = 8;
inline constexpr std::size_t kMaxResponseSamples = 4000;

// Reads the file; false (and `curves` empty) when it does not have the
// file's layout, up to its closing "end" line.
bool readResponseCurves(LineReader& reader, ResponseCurves& curves);

// The shoreward share for result row `row`: the file's candidate of the same
// position when it is the same wave (same Smax, Ho and θo as printed).
// NaN when the file does not give it.
double candidateShare(const ResponseCurves& curves, int row, const ResultRow& result);

// The height of the whole offshore sea, Ho / √share; NaN without a share.
double wholeSeaHeight(double ho, double share);

}  // namespace vornel
