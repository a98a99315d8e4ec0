#include "estimation/batch_report.h"

#include <cmath>

#include "estimation/response_curves.h"
#include "estimation/result_presenter.h"
#include "estimation/validity_notes.h"
#include "estimation/wave.h"
#include "platform/text.h"

namespace vornel {

namespace {

// What the record said, as it was run: degrees with one decimal for a
// direction (a 16-point name is run at its centre azimuth).
std::string observedFields(const WaveRecord& r) {
    if (r.status != RecordStatus::Ok)
        return "," + csvField(toUtf8(r.fields[0])) + "," + csvField(toUtf8(r.fields[1])) + "," +
               csvField(toUtf8(r.fields[2]));
    return format(",%.2f,%.2f,%.1f", r.height, r.period, r.direction);
}

std::string notes(const WaveRecord& r, const std::string& why) {
    std::string text = r.namedDirection ? "16方位" : "";
    if (!why.empty()) text += (text.empty() ? "" : " ") + why;
    return csvField(text);
}

}  // namespace

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string batchRecordLines(const WaveRecord& record, const BatchRecordResult& result, int relationIndex,
                             double offshoreDepth, const SolverCase* site, double tipDistance) {
    const std::string head = csvField(toUtf8(record.when)) + observedFields(record);
    const char* why = nullptr;
    std::string failure;
    switch (record.status) {
        case RecordStatus::Missing:
            why = "欠測";
            break;
        case RecordStatus::OutOfRange:
            why = "範囲外";
            break;
        case RecordStatus::Unreadable:
            why = "読めない行";
            break;
        case RecordStatus::Ok:
            switch (result.outcome) {
                case BatchOutcome::Done:
                    break;
                case BatchOutcome::NoCandidate:
                    why = "候補なし";
                    break;
                case BatchOutcome::Failed:
                    failure = "計算失敗 " + result.failure;
                    why = failure.c_str();
                    break;
                case BatchOutcome::NotRun:
                case BatchOutcome::Stopped:
                    why = "中止";
                    break;
            }
            break;
    }
    if (why || result.candidates.empty()) return head + ",,,,,,," + notes(record, why ? why : "候補なし") + "\n";

    std::string lines;
    const double L = relationIndex >= 1 ? waveLengthAtDepth(record.period, offshoreDepth) : 0.0;
    for (const BatchCandidate& c : result.candidates) {
        lines += head + format(",%5d,%5.3f,%5.1f", c.row.smax, c.row.ho, c.row.thetaO);
        if (relationIndex >= 1) {
            const SmaxEstimate e = estimateSmax(c.row, relationIndex, L);
            lines += "," + e.text + (e.mark == 1 ? ",◯" : ",");
        } else {
            lines += ",,";
        }
        const double whole = wholeSeaHeight(c.row.ho, c.share);
        lines += std::isfinite(whole) ? format(",%5.3f", whole) : std::string(",");
        std::string tags;
        if (site) {
            SolverCase run = *site;
            run.height = record.height;
            run.period = record.period;
            run.direction = record.direction;
            tags = validityTags(run, tipDistance, c.row);
        }
        lines += "," + notes(record, tags) + "\n";
    }
    return lines;
}

}  // namespace vornel
