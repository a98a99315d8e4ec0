#include "inverse.h"

#include <cmath>

#include "angles.h"

namespace zelvo {

namespace {

constexpr double kSampleStep = 1.0;       // degrees between samples of theta_o
constexpr double kFirstSample = -89.5;    // keeps the samples off the contour line itself
constexpr int kSamples = 180;             // -89.5 ... +89.5
constexpr double kRootTolerance = 0.005;  // half-width of the final bracket: 0.01 degree refinement

struct Sample {
    bool valid = false;
    double mismatch = 0.0;  // mean direction at the point minus the observed one, in (-180, 180]
};

Sample sampleAt(const ForwardModel& model, double principal, double direction) {
    const Transformation t = model.evaluate(model.site().contourNormal + principal);
    Sample s;
    s.valid = t.reached && t.coefficient >= kMinCoefficient;
    s.mismatch = signed180(t.direction - direction);
    return s;
}

}  // namespace

std::vector<double> findOffshoreDirections(const ForwardModel& model, double direction) {
    std::vector<double> principals;
    Sample previous = sampleAt(model, kFirstSample, direction);
    if (previous.valid && previous.mismatch == 0.0) principals.push_back(kFirstSample);
    for (int i = 1; i < kSamples; ++i) {
        const double hi = kFirstSample + i * kSampleStep;
        const Sample current = sampleAt(model, hi, direction);
        if (current.valid && current.mismatch == 0.0) {
            principals.push_back(hi);
        } else if (previous.valid && current.valid && previous.mismatch != 0.0 &&
                   (previous.mismatch < 0.0) != (current.mismatch < 0.0) &&
                   std::fabs(previous.mismatch - current.mismatch) < 180.0) {
            // A genuine crossing, not the wrap of the mismatch from +180 to -180.
            double a = hi - kSampleStep, b = hi;
            double fa = previous.mismatch;
            bool lost = false;
            while (b - a > 2.0 * kRootTolerance) {
                const double m = 0.5 * (a + b);
                const Sample mid = sampleAt(model, m, direction);
                if (!mid.valid) {
                    lost = true;
                    break;
                }
                if ((mid.mismatch < 0.0) == (fa < 0.0)) {
                    a = m;
                    fa = mid.mismatch;
                } else {
                    b = m;
                }
            }
            if (!lost) principals.push_back(0.5 * (a + b));
        }
        previous = current;
    }
    std::vector<double> directions;
    for (double p : principals) directions.push_back(azimuth360(model.site().contourNormal + p));
    return directions;
}

std::vector<Candidate> estimateOffshoreWaves(const Observation& observed, const Grid& grid) {
    std::vector<Candidate> candidates;
    for (int smax : kSmaxCases) {
        const ForwardModel model(observed.site, observed.period, smax, false, grid);
        for (double theta : findOffshoreDirections(model, observed.direction)) {
            if (static_cast<int>(candidates.size()) >= kMaxCandidates) return candidates;
            Candidate c;
            c.smax = smax;
            c.offshoreDirection = theta;
            c.transformation = model.evaluate(theta);
            c.offshoreHeight = observed.height / c.transformation.coefficient;
            candidates.push_back(c);
        }
    }
    return candidates;
}

}  // namespace zelvo
