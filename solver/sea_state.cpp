#include "sea_state.h"

#include <algorithm>
#include <cmath>

#include "dispersion.h"
#include "quadrature.h"

namespace zelvo {

double peakFrequency(double period) {
    return 1.0 / (1.05 * period);
}

double spreadingParameter(double frequency, double peak, double smax) {
    const double r = frequency / peak;
    return frequency <= peak ? smax * std::pow(r, 5.0) : smax * std::pow(r, -2.5);
}

std::vector<FrequencyBin> randomSeaBins(double period, double smax, int panels) {
    // Gauss-Legendre in ln f, on either side of the peak so that the kink of s(f) at fp is a panel
    // edge. S(f) f is smooth in ln f; below 0.4 fp it holds less than e^-49 of the energy and above
    // 20 fp less than 1e-5, which is spread over the rest by the normalisation.
    const double fp = peakFrequency(period);
    const double lowSpan = std::log(1.0 / 0.4);
    const double highSpan = std::log(20.0);
    const int lowPanels = std::max(2, static_cast<int>(std::lround(panels * lowSpan / (lowSpan + highSpan))));
    const int highPanels = std::max(2, panels - lowPanels);
    std::vector<FrequencyBin> bins;
    bins.reserve(3 * (lowPanels + highPanels));
    auto add = [&](double lo, double hi, int count) {
        forEachNode(lo, hi, (hi - lo) / count * (1.0 + 1e-12), [&](double lnRatio, double w) {
            FrequencyBin bin;
            bin.frequency = fp * std::exp(lnRatio);
            bin.s = spreadingParameter(bin.frequency, fp, smax);
            const double tf = period * bin.frequency;
            // S(f) f up to the factor 0.257 H^2 T^-4, which the normalisation removes.
            bin.weight = w * std::pow(bin.frequency, -4.0) * std::exp(-1.03 / (tf * tf * tf * tf));
            bins.push_back(bin);
        });
    };
    add(-lowSpan, 0.0, lowPanels);
    add(0.0, highSpan, highPanels);
    double total = 0.0;
    for (const FrequencyBin& bin : bins) total += bin.weight;
    for (FrequencyBin& bin : bins) bin.weight /= total;
    return bins;
}

std::vector<FrequencyBin> regularWaveBins(double period, double smax) {
    return {FrequencyBin{1.0 / period, smax, 1.0}};
}

Spreading::Spreading(double s, double maxPanelDegrees) : twoS_(2.0 * s) {
    // cos^2s(x/2) ~ exp(-s x^2 / 4) near the peak: a standard deviation of sqrt(2/s) radians.
    // Fourteen of them take the density below 1e-12 of its peak; panels of a third of a deviation
    // keep the rule exact to far better than the 0.1 % asked of the coefficients.
    const double sigma = std::sqrt(2.0 / std::max(s, 1e-12)) / kDegree;
    halfWindow_ = std::min(180.0, 7.5 * sigma);
    panel_ = std::min(maxPanelDegrees, sigma / 3.0);
    const double total = mass(-halfWindow_, halfWindow_);
    norm_ = 1.0 / total;
}

double Spreading::density(double relativeDegrees) const {
    const double c = std::cos(0.5 * relativeDegrees * kDegree);
    return c > 0.0 ? norm_ * std::pow(c, twoS_) : 0.0;
}

double Spreading::mass(double lo, double hi) const {
    lo = std::max(lo, -halfWindow_);
    hi = std::min(hi, halfWindow_);
    return integrate(lo, hi, panel_, [this](double x) { return density(x); });
}

double cumulativeRelativeEnergy(double smax, double angle, double halfRange, const Grid& grid) {
    // The shape in f / fp does not depend on the period, so any period will do.
    const std::vector<FrequencyBin> bins = randomSeaBins(1.0, smax, grid.frequencyPanels);
    angle = std::clamp(angle, -halfRange, halfRange);
    // Each frequency's spreading is normalised over +-halfRange, as in Goda's curves.
    double share = 0.0;
    for (const FrequencyBin& bin : bins) {
        const Spreading g(bin.s, grid.panelDegrees);
        share += bin.weight * g.mass(-halfRange, angle) / g.mass(-halfRange, halfRange);
    }
    return share;
}

}  // namespace zelvo
