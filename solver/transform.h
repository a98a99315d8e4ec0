// The forward model: an offshore directional random sea (Ho = 1, theta_o, Smax, T1/3) carried over
// straight parallel depth contours to the quasi-offshore point, optionally past the tip of a
// virtual breakwater.
#pragma once

#include <vector>

#include "sea_state.h"

namespace zelvo {

// Geometry of one case, angles in degrees as azimuths clockwise from north.
struct Site {
    double contourNormal = 0.0;  // theta_con: normal of the contours pointing to deeper water
    double pointDepth = 10.0;    // depth of the quasi-offshore point (m)
    bool diffraction = false;
    double breakwaterNormal = 0.0;  // theta_diff: shore normal at the tip + 180
    double pointAngle = 0.0;        // theta: the point seen from the tip, in the main program's sense
    double tipDepth = 10.0;         // depth at the breakwater tip (m)
};

// The wave at the quasi-offshore point for a unit offshore height. The coefficients multiply to
// `coefficient`: Kr_tip Ks_tip Kd Kr Ks with diffraction, Kr Ks without (the tip terms are then 1).
struct Transformation {
    bool reached = false;      // false when no energy arrives (the direction is then undefined)
    double coefficient = 0.0;  // H1/3 at the point / Ho
    double direction = 0.0;    // energy-weighted circular mean direction at the point, azimuth in [0, 360)
    double refraction = 1.0;   // Kr (from the tip to the point when diffracted)
    double shoaling = 1.0;     // Ks (likewise)
    double tipRefraction = 1.0;
    double tipShoaling = 1.0;
    double diffraction = 1.0;         // Kd = sqrt(passing energy / total energy) at the tip
    // Every direction is an energy-weighted circular (vector) mean, as gauges and spectral models
    // report the mean direction.
    double tipDirection = 0.0;        // mean direction of all components at the tip
    double passingDirection = 0.0;    // mean direction at the tip of those that pass it
    double refractedDirection = 0.0;  // mean direction at the point weighted by Kr^2 alone
    double shorewardShare = 0.0;      // share of the offshore energy travelling shoreward (= m0 used)
};

class ForwardModel {
public:
    // regular = true: one frequency 1/T with s = Smax, the regular-wave limit.
    ForwardModel(const Site& site, double period, double smax, bool regular = false, const Grid& grid = Grid());

    // complete: every field; atThePoint: reached, coefficient, direction and shorewardShare only
    // (the same bits as a complete evaluation gives them), at about half the cost.
    enum class Detail { complete, atThePoint };
    Transformation evaluate(double offshoreDirection, Detail detail = Detail::complete) const;
    const Site& site() const { return site_; }

private:
    // One quadrature node of offshore angle alpha0 with what the depths do to it. The nodes depend
    // only on the frequency and the site, so they are laid once and each evaluation only weighs
    // them by the spreading function about its principal direction.
    struct Node {
        // What every evaluation reads first, together in one cache line.
        double weight;
        double point;     // Kr_A^2 Ks_A^2
        double pointSin;  // sin alpha_A
        double pointCos;
        double halfCos;  // cos(alpha0 / 2) and sin(alpha0 / 2): cos((alpha0 - principal) / 2) of
        double halfSin;  // any principal direction by the addition theorem
        double tipRefracted;  // Kr_B^2
        double tip;           // Kr_B^2 Ks_B^2
        double tipSin;        // sin alpha_B
        double tipCos;
        double pointRefracted;  // Kr_A^2
    };
    struct Band {
        double weight;     // share of m0 times the spreading's normalisation G0
        double exponent;   // 2 s
        double logWindow;  // ln |cos(x / 2)| at the edge of the spreading's window
        int layout;        // index of the shoreward nodes' angles in layouts_
        std::vector<Node> shoreward;  // |alpha0| < 90: all the energy that travels in
        std::vector<Node> passing;    // those that also pass the tip (diffraction only)
    };
    // The shoreward nodes of every band with the same panel width lie at the same angles, so
    // ln |cos((alpha0 - principal) / 2)| is worked out once per evaluation for all of them:
    // (cos, sin) of alpha0 / 2 per node, one list per distinct panel width.
    struct Layout {
        double panel;
        std::vector<double> halfCos;
        std::vector<double> halfSin;
    };
    // The offshore angles alpha0 whose components pass the tip, for tanh kh at the tip.
    void passingInterval(double tipCelerity, double& lo, double& hi) const;

    Site site_;
    std::vector<Band> bands_;
    std::vector<Layout> layouts_;
    double leeSign_ = 1.0;     // +1 or -1: orientation of the main program's angle theta
    double squareWave_ = 0.0;  // propagation angle of waves square to the contours, in that frame
    double pointFrame_ = 0.0;  // theta reduced into (-180, 180]
};

}  // namespace zelvo
