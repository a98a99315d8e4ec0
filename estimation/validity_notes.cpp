#include "estimation/validity_notes.h"

#include <cmath>

#include "estimation/wave.h"
#include "platform/text.h"

namespace vornel {

std::vector<std::string> validityNotes(const SolverCase& run, double tipDistance, const ResultRow* rows, int count) {
    std::vector<std::string> notes;
    const double h = run.pointDepth;
    if (h > 0.0 && run.height / h > kBreakingRatio)
        notes.push_back(format("砕波の影響: H1/3/h=%.2f>%.1f (Hoは過小の可能性)", run.height / h, kBreakingRatio));
    if (h > 0.0 && run.period > 0.0) {
        const double ratio = relativeDepth(h, run.period);
        if (ratio < kShallowRatio)
            notes.push_back(format("浅海: h/L0=%.3f<%.2f (線形浅水変形の範囲外)", ratio, kShallowRatio));
    }
    for (int i = 0; i < count; ++i) {
        const double offNormal = std::fabs(angleDifference(rows[i].thetaO, run.thetaCon));
        if (offNormal > 90.0 - kAlongshoreMargin && offNormal < 90.0 + kAlongshoreMargin)
            notes.push_back(format("Smax %d θo %.1f°: θcon±90°から%.0f°以内 (岸沿いの波、推定が不安定)", rows[i].smax,
                                   rows[i].thetaO, kAlongshoreMargin));
    }
    if (run.withDiffraction() && std::isfinite(tipDistance) && run.period > 0.0) {
        const double L = waveLengthAtDepth(run.period, h);
        if (L > 0.0 && tipDistance / L < kNearTipWavelengths)
            notes.push_back(format("回折地点から%.1f波長<%.0f (Kdが過小でHoは過大の可能性)", tipDistance / L,
                                   kNearTipWavelengths));
    }
    return notes;
}

std::string validityTags(const SolverCase& run, double tipDistance, const ResultRow& row) {
    std::string tags;
    const auto add = [&](const char* tag) { tags += (tags.empty() ? "" : " ") + std::string(tag); };
    const double h = run.pointDepth;
    if (h > 0.0 && run.height / h > kBreakingRatio) add("砕波");
    if (h > 0.0 && run.period > 0.0 && relativeDepth(h, run.period) < kShallowRatio) add("浅海");
    const double offNormal = std::fabs(angleDifference(row.thetaO, run.thetaCon));
    if (offNormal > 90.0 - kAlongshoreMargin && offNormal < 90.0 + kAlongshoreMargin) add("岸沿い");
    if (run.withDiffraction() && std::isfinite(tipDistance) && run.period > 0.0) {
        const double L = waveLengthAtDepth(run.period, h);
        if (L > 0.0 && tipDistance / L < kNearTipWavelengths) add("回折点近傍");
    }
    return tags;
}

std::wstring validityNoteText(const std::vector<std::string>& notes) {
    std::wstring text;
    for (const std::string& note : notes) {
        if (!text.empty()) text += L"\r\n";
        text += widen(note);
    }
    return text;
}

}  // namespace vornel
