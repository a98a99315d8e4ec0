#include "estimation/run_checks.h"

#include "estimation/messages.h"
#include "estimation/params.h"
#include "platform/text.h"

namespace vornel {

namespace {

// The collected text holds at most 1024 characters; a line at most 256.
constexpr std::size_t kMaxMessageChars = 1024;
constexpr std::size_t kMaxLineChars = 256;

bool isShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool isForbiddenInFileName(unsigned char c) {
    if (c < 0x20) return true;
    switch (c) {
        case '\\':
        case '/':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return true;
        default:
            return false;
    }
}

void appendLine(std::wstring& text, const std::string& line) {
    std::wstring wide = widen(line);
    if (wide.size() > kMaxLineChars) wide.resize(kMaxLineChars);
    if (text.size() + wide.size() > kMaxMessageChars) return;
    text += wide;
}

}  // namespace

bool isUsableTitle(std::string_view title) {
    for (std::size_t i = 0; i < title.size();) {
        const unsigned char c = static_cast<unsigned char>(title[i]);
        if (isShiftJisLeadByte(c) && i + 1 < title.size()) {
            i += 2;  // the trail byte may be any value, '\\' included
            continue;
        }
        if (isForbiddenInFileName(c)) return false;
        ++i;
    }
    // With every separator refused the whole title is the only path piece.
    return title != "..";
}

std::wstring checkRunInputs(std::string_view title, double theta, double height, double period, double direction) {
    const EstimationParams& p = estimationParams();
    const bool withDiffraction = p.diffractionOff == 0;
    std::wstring text;
    // The "!(x <= bound)" form also reports a value that is not a number.
    if (!(p.thetaCon <= 360.0)) appendLine(text, format(msg::kRangeThetaCon, p.thetaCon));
    if (withDiffraction && !(p.shoreNormal <= 360.0)) appendLine(text, format(msg::kRangeThetaDiff, p.shoreNormal));
    if (withDiffraction && !(theta <= 360.0)) appendLine(text, format(msg::kRangeTheta, theta));
    if (withDiffraction && !(p.diffractionPoint.depth <= 999.0))
        appendLine(text, format(msg::kRangeDiffractionDepth, p.diffractionPoint.depth));
    if (!(p.quasiOffshorePoint.depth <= 999.0))
        appendLine(text, format(msg::kRangeQuasiOffshoreDepth, p.quasiOffshorePoint.depth));
    if (!(height <= 99.0)) appendLine(text, format(msg::kRangeHeight, height));
    if (!(period <= 99.0)) appendLine(text, format(msg::kRangePeriod, period));
    if (!(direction <= 360.0)) appendLine(text, format(msg::kRangeDirection, direction));
    if (title.size() > kMaxTitleBytes) appendLine(text, msg::kTitleTooLong);
    // The title becomes part of the output file names that a run deletes and
    // reads, so it must not lead out of the program folder.
    if (!isUsableTitle(title)) appendLine(text, msg::kTitleBadCharacter);
    return text;
}

}  // namespace vornel
