// The offshore directional spectrum: Bretschneider-Mitsuyasu frequency spectrum and Mitsuyasu-type
// spreading with a frequency-dependent concentration s(f).
#pragma once

#include <vector>

namespace zelvo {

// Resolution of the frequency-direction integration. The defaults change every coefficient by less
// than 0.1 % when both are refined by a factor of two (the tests hold this).
struct Grid {
    int frequencyPanels = 24;  // three frequencies each
    double panelDegrees = 3.0;
};

// One frequency of the discretised spectrum.
struct FrequencyBin {
    double frequency = 0.0;  // Hz
    double s = 0.0;          // spreading parameter at this frequency
    double weight = 0.0;     // share of the total energy m0
};

// Peak frequency of the Bretschneider-Mitsuyasu spectrum: fp = 1 / (1.05 T1/3).
double peakFrequency(double period);

// s(f) = Smax (f/fp)^5 below the peak and Smax (f/fp)^-2.5 above it.
double spreadingParameter(double frequency, double peak, double smax);

// The spectrum S(f) = 0.257 H^2 T^-4 f^-5 exp(-1.03 (T f)^-4) on a quadrature in ln f from 0.4 fp
// to 20 fp with `panels` panels. The shape is independent of H1/3, which only scales the energy.
std::vector<FrequencyBin> randomSeaBins(double period, double smax, int panels);

// A regular wave: one frequency 1/T carrying all the energy, with s = Smax at that frequency.
std::vector<FrequencyBin> regularWaveBins(double period, double smax);

// The spreading function G(theta | f) = G0 cos^2s(theta / 2) of one frequency, with theta in
// degrees from the principal direction and G0 chosen so that G integrates to 1 over the full
// circle. Beyond halfWindow degrees G is below 1e-12 of its peak and is not integrated.
class Spreading {
public:
    Spreading(double s, double maxPanelDegrees);
    double density(double relativeDegrees) const;
    double halfWindow() const { return halfWindow_; }
    double panel() const { return panel_; }
    // density = norm * |cos(relative / 2)|^exponent inside the window.
    double norm() const { return norm_; }
    double exponent() const { return twoS_; }
    // Integral of G over [lo, hi] (degrees from the principal direction, within +-180).
    double mass(double lo, double hi) const;

private:
    double twoS_;
    double halfWindow_;
    double panel_;
    double norm_ = 1.0;
};

// Goda's cumulative relative energy: the share of the directional spectrum's energy between
// -halfRange and angle (degrees about the principal direction), with the spreading of every
// frequency normalised over +-halfRange. halfRange 90 gives Goda's curve; 180 the full circle.
double cumulativeRelativeEnergy(double smax, double angle, double halfRange, const Grid& grid = Grid());

}  // namespace zelvo
