// The response file zelvo-out_<title>.crv: the candidates with the shoreward share of their
// offshore energy, and the response curves from which a figure shows why a case has none, one or
// several candidates and how flat a crossing is. ASCII, CR LF, tokens separated by blanks:
//
//   zelvo_v3 response <version>
//   candidates <n>
//   <smax> <ho> <thetaO> <share>            the result file's rows, in its order and digits
//   curves <m>
//   <smax> <thetaO> <dirPoint> <K> <share>  Smax 10, 25, 75, each theta_con - 89.5 ... + 89.5
//   end                                     every 0.5 degree
//
// The whole offshore sea of a candidate is Ho / sqrt(share) high.
#pragma once

#include <string>
#include <vector>

#include "inverse.h"

namespace zelvo {

std::string responseFileName(const std::string& title);  // zelvo-out_<title>.crv

// "<smax> <ho> <thetaO> <share>": Ho "%.3f" and theta_o "%.1f" as in the result file, the
// shoreward share of the offshore energy at theta_o "%.5f".
std::string candidateTokens(const Candidate& candidate);

// One curve line. theta_o "%.1f" is theta_con + principal, not reduced, so that each curve runs on
// continuously; dirPoint "%.3f" likewise theta_con + its offset in (-180, 180], or "-" where no
// energy reaches the point (K is then 0).
std::string curveTokens(int smax, double contourNormal, double principal, const Transformation& t);

// The whole file; the curves come from (and are added to) the sweeps of `response`.
std::string formatResponseFile(const std::vector<Candidate>& candidates, SiteResponse& response);

}  // namespace zelvo
