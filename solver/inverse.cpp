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

Sample sampleAt(ResponseSweep& sweep, double principal, double direction) {
    const Transformation& t = sweep.at(principal);
    Sample s;
    s.valid = t.reached && t.coefficient >= kMinCoefficient;
    s.mismatch = signed180(t.direction - direction);
    return s;
}

}  // namespace

ResponseSweep::ResponseSweep(const Site& site, double period, int smax, const Grid& grid)
    : model_(site, period, smax, false, grid), smax_(smax) {}

const Transformation& ResponseSweep::at(double principal) {
    auto found = evaluated_.find(principal);
    if (found != evaluated_.end()) return found->second;
    const Transformation t = model_.evaluate(model_.site().contourNormal + principal, ForwardModel::Detail::atThePoint);
    return evaluated_.emplace(principal, t).first->second;
}

Transformation ResponseSweep::complete(double principal) const {
    return model_.evaluate(model_.site().contourNormal + principal);
}

SiteResponse::SiteResponse(const Site& site, double period, const Grid& grid) {
    sweeps.reserve(kSmaxCount);
    for (int smax : kSmaxCases) sweeps.emplace_back(site, period, smax, grid);
}

std::vector<double> findPrincipalDirections(ResponseSweep& sweep, double direction) {
    std::vector<double> principals;
    Sample previous = sampleAt(sweep, kFirstSample, direction);
    if (previous.valid && previous.mismatch == 0.0) principals.push_back(kFirstSample);
    for (int i = 1; i < kSamples; ++i) {
        const double hi = kFirstSample + i * kSampleStep;
        const Sample current = sampleAt(sweep, hi, direction);
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
                const Sample mid = sampleAt(sweep, m, direction);
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
    return principals;
}

std::vector<Candidate> estimateOffshoreWaves(SiteResponse& response, double height, double direction) {
    std::vector<Candidate> candidates;
    for (ResponseSweep& sweep : response.sweeps) {
        for (double principal : findPrincipalDirections(sweep, direction)) {
            if (static_cast<int>(candidates.size()) >= kMaxCandidates) return candidates;
            Candidate c;
            c.smax = sweep.smax();
            c.offshoreDirection = azimuth360(sweep.site().contourNormal + principal);
            c.transformation = sweep.complete(principal);
            c.offshoreHeight = height / c.transformation.coefficient;
            candidates.push_back(c);
        }
    }
    return candidates;
}

std::vector<Candidate> estimateOffshoreWaves(const Observation& observed, const Grid& grid) {
    SiteResponse response(observed.site, observed.period, grid);
    return estimateOffshoreWaves(response, observed.height, observed.direction);
}

}  // namespace zelvo
