#include "estimation/sensitivity.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace vornel {

namespace {

SensitivityTable table;

}  // namespace

const char* sensitivityItemName(int input) {
    static const char* const names[kSensitivityInputs] = {"波向", "θcon", "水深", "回折水深", "周期", "波高"};
    return input >= 0 && input < kSensitivityInputs ? names[input] : "";
}

std::string uncertaintyText(int input, double value) {
    switch (input) {
        case SENS_DIRECTION:
        case SENS_THETA_CON:
            return format("±%.1f°", value);
        case SENS_PERIOD:
            return format("±%.1fs", value);
        default:
            return format("±%g%%", value);
    }
}

bool isPerturbed(int input, const SolverCase& base, double uncertainty) {
    if (!(uncertainty > 0.0)) return false;
    return input != SENS_TIP_DEPTH || base.withDiffraction();
}

bool needsSolverRun(int input) {
    return input != SENS_HEIGHT;
}

bool perturbedCase(const SolverCase& base, int input, int sign, double u, SolverCase& out) {
    out = base;
    const double s = sign < 0 ? -1.0 : 1.0;
    switch (input) {
        case SENS_DIRECTION:
            out.direction = reduceAngle(base.direction + s * u);
            return true;
        case SENS_THETA_CON:
            out.thetaCon = reduceAngle(base.thetaCon + s * u);
            // θ is counted from the breakwater's other side when the moved
            // contour normal crosses to it: the same point, read the other way.
            if (base.withDiffraction() && contourClockwiseOfBreakwater(out.thetaCon, base.thetaDiff) !=
                                              contourClockwiseOfBreakwater(base.thetaCon, base.thetaDiff))
                out.theta = reduceAngle(360.0 - base.theta);
            return true;
        case SENS_DEPTH:
            out.pointDepth = base.pointDepth * (1.0 + s * u / 100.0);
            return out.pointDepth > 0.0;
        case SENS_TIP_DEPTH:
            out.tipDepth = base.tipDepth * (1.0 + s * u / 100.0);
            return base.withDiffraction() && out.tipDepth > 0.0;
        case SENS_PERIOD:
            out.period = base.period + s * u;
            return out.period >= 0.01;
        case SENS_HEIGHT:
            out.height = base.height * (1.0 + s * u / 100.0);
            return out.height > 0.0;
        default:
            return false;
    }
}

PairedCandidate pairCandidate(const ResultRow& candidate, const ResultRow* rows, int count) {
    PairedCandidate best;
    double nearest = kPairingLimit;
    for (int i = 0; i < count; ++i) {
        if (rows[i].smax != candidate.smax) continue;
        const double d = std::fabs(angleDifference(rows[i].thetaO, candidate.thetaO));
        if (d <= nearest && (!best.found || d < nearest)) {
            nearest = d;
            best = {true, rows[i].ho, rows[i].thetaO};
        }
    }
    return best;
}

SensitivityTable buildSensitivity(const SolverCase& baseCase, const std::vector<ResultRow>& base,
                                  const Uncertainties& u, const std::vector<PerturbedRun>& runs) {
    SensitivityTable out;
    out.computed = true;
    out.uncertainties = u;
    out.withDiffraction = baseCase.withDiffraction();
    for (const ResultRow& row : base) {
        CandidateSensitivity c;
        c.base = row;
        c.thetaLow = c.thetaHigh = row.thetaO;
        c.hoLow = c.hoHigh = row.ho;
        double thetaSquares = 0.0, hoSquares = 0.0;
        for (int input = 0; input < kSensitivityInputs; ++input) {
            if (!isPerturbed(input, baseCase, u.value[input])) continue;
            c.perturbed[input] = true;
            double largestTheta = 0.0, largestHo = 0.0;
            for (int sign = 0; sign < 2; ++sign) {
                PairedCandidate& p = sign == 0 ? c.minus[input] : c.plus[input];
                if (input == SENS_HEIGHT) {
                    const double factor = 1.0 + (sign == 0 ? -1.0 : 1.0) * u.value[input] / 100.0;
                    p = {factor > 0.0, row.ho * factor, row.thetaO};
                } else {
                    const std::size_t at = static_cast<std::size_t>(2 * input + sign);
                    if (at < runs.size() && runs[at].ok)
                        p = pairCandidate(row, runs[at].rows.data(), static_cast<int>(runs[at].rows.size()));
                }
                if (!p.found) {
                    c.complete = false;
                    continue;
                }
                const double dTheta = angleDifference(p.thetaO, row.thetaO);
                c.thetaLow = std::min(c.thetaLow, row.thetaO + dTheta);
                c.thetaHigh = std::max(c.thetaHigh, row.thetaO + dTheta);
                c.hoLow = std::min(c.hoLow, p.ho);
                c.hoHigh = std::max(c.hoHigh, p.ho);
                largestTheta = std::max(largestTheta, std::fabs(dTheta));
                largestHo = std::max(largestHo, std::fabs(p.ho - row.ho));
            }
            thetaSquares += largestTheta * largestTheta;
            hoSquares += largestHo * largestHo;
        }
        c.thetaRss = std::sqrt(thetaSquares);
        c.hoRss = std::sqrt(hoSquares);
        out.candidates.push_back(c);
    }
    return out;
}

SensitivityTable& runSensitivity() {
    return table;
}

namespace {

std::wstring thetaText(const PairedCandidate& p) {
    return p.found ? wformat(L"%.1f", reduceAngle(p.thetaO)) : L"候補なし";
}

std::wstring hoText(const PairedCandidate& p) {
    return p.found ? wformat(L"%.3f", p.ho) : L"候補なし";
}

}  // namespace

std::vector<std::vector<std::wstring>> sensitivityTableRows(const SensitivityTable& table,
                                                            const std::vector<double>& wholeSea) {
    std::vector<std::vector<std::wstring>> rows;
    for (std::size_t i = 0; i < table.candidates.size(); ++i) {
        const CandidateSensitivity& c = table.candidates[i];
        rows.push_back({wformat(L"Smax %d  θo %.1f  Ho %.3f", c.base.smax, c.base.thetaO, c.base.ho), L"", L"", L"",
                         L"", L"", L""});
        if (i < wholeSea.size() && std::isfinite(wholeSea[i]))
            rows.push_back({wformat(L"　全体Ho %.3f", wholeSea[i]), L"", L"", L"", L"", L"", L""});
        for (int input = 0; input < kSensitivityInputs; ++input) {
            if (!c.perturbed[input]) continue;
            rows.push_back({L"", widen(sensitivityItemName(input)),
                            widen(uncertaintyText(input, table.uncertainties.value[input])), thetaText(c.minus[input]),
                            thetaText(c.plus[input]), hoText(c.minus[input]), hoText(c.plus[input])});
        }
        rows.push_back({L"", L"合成", c.complete ? L"" : L"一部なし",
                        wformat(L"%.1f〜%.1f", reduceAngle(c.thetaLow), reduceAngle(c.thetaHigh)),
                        wformat(L"RSS ±%.1f°", c.thetaRss), wformat(L"%.3f〜%.3f", c.hoLow, c.hoHigh),
                        wformat(L"RSS ±%.3f", c.hoRss)});
    }
    return rows;
}

std::string sensitivityReportLines(const SensitivityTable& table) {
    // The minus of the heads is the full-width one: Shift_JIS has no U+2212.
    std::string text = "感度\n項目,刻み,Smax,θo(－),θo(+),Ho(－),Ho(+)\n";
    auto theta = [](const PairedCandidate& p) {
        return p.found ? format("%.1f", reduceAngle(p.thetaO)) : std::string();
    };
    auto ho = [](const PairedCandidate& p) { return p.found ? format("%.3f", p.ho) : std::string(); };
    for (const CandidateSensitivity& c : table.candidates) {
        for (int input = 0; input < kSensitivityInputs; ++input) {
            if (!c.perturbed[input]) continue;
            text += std::string(sensitivityItemName(input)) + "," +
                    uncertaintyText(input, table.uncertainties.value[input]) + "," + format("%d", c.base.smax) + "," +
                    theta(c.minus[input]) + "," + theta(c.plus[input]) + "," + ho(c.minus[input]) + "," +
                    ho(c.plus[input]) + "\n";
        }
    }
    return text;
}

}  // namespace vornel
