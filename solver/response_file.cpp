#include "response_file.h"

#include <cmath>

#include "angles.h"
#include "program_version.h"
#include "result_files.h"

namespace zelvo {

namespace {

// Rounded to `decimals` before printing, so that a value that rounds to zero prints without a sign.
std::string fixed(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0.0) rounded = 0.0;
    std::string out;
    appendf(out, "%.*f", decimals, rounded);
    return out;
}

}  // namespace

std::string responseFileName(const std::string& title) {
    return "zelvo-out_" + title + ".crv";
}

std::string candidateTokens(const Candidate& c) {
    std::string out;
    appendf(out, "%d %.3f %.1f %.5f", c.smax, c.offshoreHeight, printedDirection(c.offshoreDirection),
            c.transformation.shorewardShare);
    return out;
}

std::string curveTokens(int smax, double contourNormal, double principal, const Transformation& t) {
    std::string out = std::to_string(smax) + " " + fixed(contourNormal + principal, 1) + " ";
    out += t.reached ? fixed(contourNormal + signed180(t.direction - contourNormal), 3) : "-";
    appendf(out, " %.6f %.5f", t.reached ? t.coefficient : 0.0, t.shorewardShare);
    return out;
}

std::string formatResponseFile(const std::vector<Candidate>& candidates, SiteResponse& response) {
    std::string out;
    appendf(out, "%s response %s\r\n", kProgramName, kProgramVersion);
    appendf(out, "candidates %zu\r\n", candidates.size());
    for (const Candidate& c : candidates) out += candidateTokens(c) + "\r\n";
    appendf(out, "curves %zu\r\n", response.sweeps.size() * kCurvePoints);
    for (ResponseSweep& sweep : response.sweeps) {
        const double contourNormal = sweep.site().contourNormal;
        for (int i = 0; i < kCurvePoints; ++i)
            out += curveTokens(sweep.smax(), contourNormal, kCurveFirst + i * kCurveStep, sweep.curvePoint(i)) + "\r\n";
    }
    out += "end\r\n";
    return out;
}

}  // namespace zelvo
