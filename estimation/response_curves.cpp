#include "estimation/response_curves.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "estimation/solver_output.h"

namespace vornel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A whole Smax the solver could have used.
bool smaxOf(std::string_view token, int& smax) {
    double v = 0.0;
    if (!solverFileNumber(token, v) || !(v >= 1.0 && v <= 1000.0) || v != std::floor(v)) return false;
    smax = static_cast<int>(v);
    return true;
}

bool count(std::string_view token, std::size_t cap, std::size_t& n) {
    double v = 0.0;
    if (!solverFileNumber(token, v) || v < 0.0 || v > double(cap) || v != std::floor(v)) return false;
    n = static_cast<std::size_t>(v);
    return true;
}

bool readSection(LineReader& reader, ResponseCurves& out) {
    std::string_view line;
    if (!reader.next(line)) return false;
    out.header = std::string(line.substr(0, line.find_first_of("\r\n")));
    if (!out.header.starts_with("zelvo")) return false;

    std::size_t n = 0;
    if (!reader.next(line)) return false;
    std::vector<std::string_view> t = solverFileTokens(line, 3);
    if (t.size() != 2 || t[0] != "candidates" || !count(t[1], 2 * kMaxResultRows, n)) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!reader.next(line)) return false;
        t = solverFileTokens(line, 5);
        ResponseCandidate c;
        if (t.size() != 4 || !smaxOf(t[0], c.smax) || !solverFileNumber(t[1], c.ho) ||
            !solverFileNumber(t[2], c.thetaO) || !solverFileNumber(t[3], c.share))
            return false;
        out.candidates.push_back(c);
    }

    if (!reader.next(line)) return false;
    t = solverFileTokens(line, 3);
    if (t.size() != 2 || t[0] != "curves" || !count(t[1], kMaxResponseCurves * kMaxResponseSamples, n)) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (!reader.next(line)) return false;
        t = solverFileTokens(line, 6);
        ResponseSample s;
        int key = 0;
        if (t.size() != 5 || !smaxOf(t[0], key) || !solverFileNumber(t[1], s.thetaO) || !solverFileNumber(t[3], s.k) ||
            !solverFileNumber(t[4], s.share))
            return false;
        if (t[2] == "-")
            s.direction = kNaN;
        else if (!solverFileNumber(t[2], s.direction))
            return false;
        if (out.curves.empty() || out.curves.back().smax != key) {
            if (out.curves.size() == kMaxResponseCurves) return false;
            out.curves.push_back({key, {}});
        }
        if (out.curves.back().samples.size() == kMaxResponseSamples) return false;
        out.curves.back().samples.push_back(s);
    }
    return reader.next(line) && solverFileTokens(line, 2).size() == 1 && solverFileTokens(line, 1)[0] == "end";
}

}  // namespace

bool readResponseCurves(LineReader& reader, ResponseCurves& curves) {
    curves = ResponseCurves();
    if (readSection(reader, curves)) return true;
    curves = ResponseCurves();
    return false;
}

double candidateShare(const ResponseCurves& curves, int row, const ResultRow& result) {
    if (row < 0 || row >= static_cast<int>(curves.candidates.size())) return kNaN;
    const ResponseCandidate& c = curves.candidates[row];
    // The same wave as printed: Ho to 0.001 m, θo to 0.1°.
    if (c.smax != result.smax || std::fabs(c.ho - result.ho) > 0.0006 ||
        std::fabs(c.thetaO - result.thetaO) > 0.06 || !(c.share > 0.0) || c.share > 1.0)
        return kNaN;
    return c.share;
}

double wholeSeaHeight(double ho, double share) {
    if (!(share > 0.0) || share > 1.0 || !std::isfinite(ho)) return kNaN;
    return ho / std::sqrt(share);
}

}  // namespace vornel
