// How far refraction over straight parallel contours lets the mean direction at the point turn
// from the contour normal: the largest |direction at the point - theta_con| over every theta_o on
// the sea side that the inverse searches. An observed direction beyond it has no candidate. It
// depends on h/L0 and Smax only (the spectrum's shape scales with the period).
#pragma once

#include <string>

namespace zelvo {

// asin(tanh kh): the limit for a single period, as theta_o approaches the contour line.
double singlePeriodLimit(double relativeDepth);

// The largest turn (degrees) for Smax, over theta_o - theta_con in [-89.5, 89.5] where K >= 0.01;
// regular = true for one period carrying all the energy (the limit of a very large Smax).
double largestTurn(double relativeDepth, double smax, bool regular = false);

// The table for h/L0 0.05, 0.10, 0.154, 0.20 and Smax 10, 25, 75 as Markdown, one row a line,
// each line ending in "\n":
// | h/L0 | asin(tanh kh) | Smax 10 | Smax 25 | Smax 75 |
std::string refractionLimitTable();

}  // namespace zelvo
