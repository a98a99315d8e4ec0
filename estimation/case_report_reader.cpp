#include "estimation/case_report_reader.h"

#include <cstring>
#include <vector>

#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "platform/text.h"

namespace vornel {

namespace {

// The lines of the parameter section, in the order the report writes them.
enum class LineKind { Fixed, Separator, Dms, Value, HeightPeriod, Skip, Diffraction, Relation, Title, ResultsFollow };

struct ExpectedLine {
    LineKind kind;
    const char* label;  // UTF-8; the whole line for Fixed
    const char* tail;   // after the value
    int id;             // the first field
};

constexpr ExpectedLine kLayout[] = {
    {LineKind::Fixed, "VORNELパラメータ", "", 0},
    {LineKind::Separator, "", "", 0},
    {LineKind::Fixed, "準沖波地点", "", 0},
    {LineKind::Dms, "緯度,", "", 1500},
    {LineKind::Dms, "経度,", "", 1503},
    {LineKind::Value, "水深,", " m", 1506},
    {LineKind::Value, "防波堤から見た方位角θ,", "", 1507},
    {LineKind::HeightPeriod, "波高,", " sec", 1508},
    {LineKind::Value, "波向,", " °", 1510},
    {LineKind::Skip, "相対水深(h/L0),", "", 1511},
    {LineKind::Separator, "", "", 0},
    {LineKind::Fixed, "等深線の代表点", "", 0},
    {LineKind::Dms, "緯度,", "", 1512},
    {LineKind::Dms, "経度,", "", 1515},
    {LineKind::Value, "水深,", " m", 1518},
    {LineKind::Value, "垂線の方位角θcon,", " °", 1519},
    {LineKind::Separator, "", "", 0},
    {LineKind::Fixed, "回折地点", "", 0},
    {LineKind::Diffraction, "", "", 0},
    {LineKind::Dms, "緯度,", "", 1520},
    {LineKind::Dms, "経度,", "", 1523},
    {LineKind::Value, "水深,", " m", 1526},
    {LineKind::Value, "汀線の直交方向,", " °", 1527},
    {LineKind::Value, "仮想防波堤の法線方向θdiff,", " °", 1528},
    {LineKind::Separator, "", "", 0},
    {LineKind::Fixed, "沖波地点", "", 0},
    {LineKind::Dms, "緯度,", "", 1530},
    {LineKind::Dms, "経度,", "", 1533},
    {LineKind::Value, "水深,", " m", 1536},
    {LineKind::Separator, "", "", 0},
    {LineKind::Fixed, "方向集中度パラメータの関係式", "", 0},
    {LineKind::Relation, "", "", 0},
    {LineKind::Separator, "", "", 0},
    {LineKind::Fixed, "計算タイトル", "", 0},
    {LineKind::Title, "", "", 0},
    {LineKind::Separator, "", "", 0},
    // The results follow (a batch estimation's report goes on with the
    // program line instead): a report cut before them is not a whole report.
    {LineKind::ResultsFollow, "簡易逆推定結果", "", 0},
};

constexpr char kSeparator[] = "--------------------------------";

std::string sjis(const char* utf8) { return platform().toCp932(widen(utf8)); }

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view dropLeadingBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return text;
}

bool takePrefix(std::string_view& text, const std::string& prefix) {
    if (text.substr(0, prefix.size()) != prefix) return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool takeSuffix(std::string_view& text, const std::string& suffix) {
    if (text.size() < suffix.size() || text.substr(text.size() - suffix.size()) != suffix) return false;
    text.remove_suffix(suffix.size());
    return true;
}

class Reader {
public:
    Reader(const SpreadingRelationList& relations, CaseReadError& error) : relations_(relations), error_(error) {}

    bool read(std::string_view bytes, ReopenedCase& result) {
        const std::vector<std::string_view> lines = splitLines(bytes);
        for (std::size_t i = 0; i < std::size(kLayout); ++i) {
            const ExpectedLine& expected = kLayout[i];
            line_ = static_cast<int>(i) + 1;
            if (i >= lines.size()) return missing(expected);
            if (!readLine(expected, lines[i], result)) return false;
        }
        return true;
    }

private:
    bool readLine(const ExpectedLine& expected, std::string_view line, ReopenedCase& result) {
        const std::string label = sjis(expected.label);
        switch (expected.kind) {
            case LineKind::Fixed:
                return line == label || missing(expected);
            case LineKind::ResultsFollow:
                return line == label || line.starts_with(sjis("プログラム,")) || missing(expected);
            case LineKind::Separator:
                return line == kSeparator || missing(expected);
            case LineKind::Skip:
                return takePrefix(line, label) || missing(expected);
            case LineKind::Diffraction:
                if (line == sjis("設定する")) result.diffractionOff = false;
                else if (line == sjis("設定しない")) result.diffractionOff = true;
                else return missing({LineKind::Fixed, "設定する", "", 0});
                return true;
            case LineKind::Relation:
                return findRelation(line, result);
            case LineKind::Title:
                result.title = platform().fromCp932(line);
                return true;
            case LineKind::Dms: {
                if (!takePrefix(line, label)) return missing(expected);
                // "%3s°%2s′%2s″" of the degree, minute and second fields.
                const std::size_t degree = line.find(msg::kDegreeMarkSjis);
                const std::size_t minute = line.find(msg::kMinuteMarkSjis);
                const std::size_t second = line.find(msg::kSecondMarkSjis);
                if (degree == std::string_view::npos || minute == std::string_view::npos ||
                    second == std::string_view::npos || !(degree < minute && minute < second) ||
                    second + 2 != line.size())
                    return missing(expected);
                return field(expected.id, line.substr(0, degree), result) &&
                       field(expected.id + 1, line.substr(degree + 2, minute - degree - 2), result) &&
                       field(expected.id + 2, line.substr(minute + 2, second - minute - 2), result);
            }
            case LineKind::Value:
                if (!takePrefix(line, label) || !takeSuffix(line, sjis(expected.tail))) return missing(expected);
                return field(expected.id, line, result);
            case LineKind::HeightPeriod: {
                // "波高,<height> m,周期,<period> sec": the two share a line.
                const std::string middle = sjis(" m,周期,");
                const std::size_t at = line.rfind(middle);
                if (!takePrefix(line, label) || !takeSuffix(line, sjis(expected.tail)) || at == std::string_view::npos)
                    return missing(expected);
                const std::size_t split = at - label.size();
                return field(expected.id, line.substr(0, split), result) &&
                       field(expected.id + 1, line.substr(split + middle.size()), result);
            }
        }
        return false;
    }

    // A field's text, accepted only where the field itself would accept it.
    bool field(int id, std::string_view bytes, ReopenedCase& result) {
        const std::wstring text = platform().fromCp932(dropLeadingBlanks(bytes));
        const int index = id - kFirstParamFieldId;
        if (!text.empty() && !fieldEntryAccepted(index, textToInt(text), textToReal(text))) {
            error_ = {CaseReadError::OutOfRange, line_, text};
            return false;
        }
        result.fieldTexts[index] = text;
        return true;
    }

    bool findRelation(std::string_view name, ReopenedCase& result) {
        if (name.empty()) {
            result.relationIndex = 0;
            return true;
        }
        for (int i = 0; i < relations_.relationCount; ++i) {
            if (name == std::string_view(relations_.relations[i].name)) {
                result.relationIndex = i + 1;
                return true;
            }
        }
        error_ = {CaseReadError::UnknownRelation, line_, platform().fromCp932(name)};
        return false;
    }

    bool missing(const ExpectedLine& expected) {
        const std::string text = expected.kind == LineKind::Separator ? kSeparator : expected.label;
        error_ = {CaseReadError::NotAReport, line_, widen(text.c_str())};
        return false;
    }

    const SpreadingRelationList& relations_;
    CaseReadError& error_;
    int line_ = 0;
};

}  // namespace

std::optional<ReopenedCase> readCaseReport(std::string_view bytes, const SpreadingRelationList& relations,
                                           CaseReadError& error) {
    ReopenedCase result;
    Reader reader(relations, error);
    if (!reader.read(bytes, result)) return std::nullopt;
    return result;
}

std::wstring caseReadMessage(const CaseReadError& error, const std::wstring& path) {
    const char* templ = msg::kReopenNotAReport;
    if (error.kind == CaseReadError::OutOfRange) templ = msg::kReopenOutOfRange;
    if (error.kind == CaseReadError::UnknownRelation) templ = msg::kReopenUnknownRelation;
    return fillIn(templ, {path, std::to_wstring(error.line), error.detail});
}

}  // namespace vornel
