#include "estimation/csv_report.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "estimation/field_checks.h"
#include "estimation/messages.h"
#include "estimation/numeric_text.h"
#include "estimation/params.h"
#include "estimation/result.h"
#include "estimation/result_presenter.h"
#include "estimation/wave.h"
#include "estimation/response_curves.h"
#include "estimation/sensitivity.h"
#include "platform/text.h"
#include "version.h"

namespace vornel {

namespace {

std::wstring chosenName;
std::wstring chosenFolder;

// Five tries over half a second before a report that cannot take the new
// content's place is reported.
constexpr int kReplaceAttempts = 5;
constexpr std::chrono::milliseconds kReplaceRetry{125};

constexpr char kSeparator[] = "--------------------------------\n";

// The program's own texts (UTF-8 here) in code page 932.
std::string ansi(const char* utf8) {
    return platform().toCp932(widen(utf8));
}

// A field's text in code page 932.
std::string fieldText(DialogFields& dialog, int id) {
    return platform().toCp932(dialog.text(id));
}

}  // namespace

void writeParameterSection(ReportWriter& w, DialogFields& d, bool diffractionOff) {
    w.put(ansi("VORNELパラメータ\n"));
    w.put(kSeparator);
    w.put(ansi("準沖波地点\n"));
    w.put("緯度,", dmsText(d, 1500, 1501, 1502), "\n");
    w.put("経度,", dmsText(d, 1503, 1504, 1505), "\n");
    w.put("水深,", fieldText(d, 1506), " m\n");
    w.put("防波堤から見た方位角θ,", fieldText(d, 1507), "\n");
    w.put("波高,", fieldText(d, 1508), " m,");  // height and period share a line
    w.put("周期,", fieldText(d, 1509), " sec\n");
    w.put("波向,", fieldText(d, 1510), " °\n");
    w.put("相対水深(h/L0),", fieldText(d, 1511), "\n");
    w.put(kSeparator);
    w.put(ansi("等深線の代表点\n"));
    w.put("緯度,", dmsText(d, 1512, 1513, 1514), "\n");
    w.put("経度,", dmsText(d, 1515, 1516, 1517), "\n");
    w.put("水深,", fieldText(d, 1518), " m\n");
    w.put("垂線の方位角θcon,", fieldText(d, 1519), " °\n");
    w.put(kSeparator);
    w.put(ansi("回折地点\n"));
    w.put(ansi(diffractionOff ? "設定しない\n" : "設定する\n"));
    w.put("緯度,", dmsText(d, 1520, 1521, 1522), "\n");
    w.put("経度,", dmsText(d, 1523, 1524, 1525), "\n");
    w.put("水深,", fieldText(d, 1526), " m\n");
    w.put("汀線の直交方向,", fieldText(d, 1527), " °\n");
    w.put("仮想防波堤の法線方向θdiff,", fieldText(d, 1528), " °\n");
    w.put(kSeparator);
    w.put(ansi("沖波地点\n"));
    w.put("緯度,", dmsText(d, 1530, 1531, 1532), "\n");
    w.put("経度,", dmsText(d, 1533, 1534, 1535), "\n");
    w.put("水深,", fieldText(d, 1536), " m\n");
    w.put(kSeparator);
    w.put(ansi("方向集中度パラメータの関係式\n"));
    w.put(fieldText(d, 1601) + "\n");
    w.put(kSeparator);
    w.put(ansi("計算タイトル\n"));
    w.put(fieldText(d, 1539) + "\n");
    w.put(kSeparator);
}

namespace {

std::string withCaseName(const char* label, const char* caseName) {
    std::string text = ansi(label);
    if (caseName[0] != '\0') text += std::string("(") + caseName + ")";
    return text + "\n";
}

void writeResults(ReportWriter& w, const RunRecord& run) {
    EstimationResult& r = estimationResult();
    const bool off = run.diffractionOff;
    w.put(ansi("簡易逆推定結果\n"));
    w.put(kSeparator);
    w.put(withCaseName("入力パラメータ", r.caseName));
    w.put("等深線の代表点の垂線の方位角θcon,", r.values[ECHO_THETA_CON], "°\n");
    if (off) {
        w.put(ansi("仮想防波堤の法線方向θdiff,  -  \n"));
        w.put(ansi("防波堤先端から見た方位角θ,  -  \n"));
        w.put(ansi("回折点の水深,  -  \n"));
    } else {
        w.put("仮想防波堤の法線方向θdiff,", r.values[ECHO_THETA_DIFF], "°\n");
        w.put("防波堤先端から見た方位角θ,", r.values[ECHO_THETA], "°\n");
        w.put("回折点の水深,", r.values[ECHO_DIFFRACTION_DEPTH], "m\n");
    }
    w.put("準沖波地点の水深,", r.values[ECHO_QUASI_OFFSHORE_DEPTH], "m\n");
    w.put("準沖波地点の有義波高,", r.values[ECHO_HEIGHT], "m\n");
    w.put("準沖波地点の有義波周期,", r.values[ECHO_PERIOD], "sec\n");
    w.put("準沖波地点の波向,", format("%6.1f", r.runDirection), "°\n");
    w.put(withCaseName("計算結果", r.caseName));
    w.put(ansi("Smax,Ho,θo,推定式Smax\n"));

    // Every row, not only the twelve the dialog shows. The estimates use the
    // result dialog's relation, which may differ from the parameter dialog's.
    const int rows = std::clamp(r.rowCount, 0, kMaxResultRows);
    const double period = r.valueCount > ECHO_PERIOD ? textToReal(std::string_view(r.values[ECHO_PERIOD])) : 0.0;
    const double L = r.relationIndex >= 1 ? waveLengthAtDepth(period, run.offshoreDepth) : 0.0;
    for (int i = 0; i < rows; ++i) {
        ResultRow& row = r.rows[i];
        w.put(format("%5d,%5.3f,%5.1f", row.smax, row.ho, row.thetaO));
        if (r.relationIndex < 1) {
            w.put(",\n");
            continue;
        }
        const SmaxEstimate e = estimateSmax(row, r.relationIndex, L);
        row.mark = e.mark;
        w.put("," + e.text);
        w.put(row.mark == 1 ? ansi(",◯\n") : std::string("\n"));
    }
}

// After the specified layout, so that reopening and spreadsheets built on it
// keep working: where the numbers came from, the whole sea, the notes and the
// sensitivity.
void writeTail(ReportWriter& w, const RunRecord& run) {
    const EstimationResult& r = estimationResult();
    w.put(kSeparator);
    w.putText(traceLines(run));
    w.putText("全体波高\nSmax,Ho,θo,全体Ho\n");
    const int rows = std::clamp(r.rowCount, 0, kMaxResultRows);
    for (int i = 0; i < rows; ++i) {
        const ResultRow& row = r.rows[i];
        const double whole = wholeSeaHeight(row.ho, candidateShare(run.curves, i, row));
        w.put(format("%5d,%5.3f,%5.1f,", row.smax, row.ho, row.thetaO) +
              (std::isfinite(whole) ? format("%5.3f", whole) : std::string()) + "\n");
    }
    w.putText("注意\n");
    if (run.notes.empty()) w.putText("なし\n");
    for (const std::string& note : run.notes) w.putText(note + "\n");
    const SensitivityTable& sensitivity = runSensitivity();
    if (sensitivity.computed) w.putText(sensitivityReportLines(sensitivity));
}

}  // namespace

void ReportWriter::put(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + 8);
    for (char c : bytes) {
        if (c == '\n') out += '\r';
        out += c;
    }
    if (ok_ && std::fwrite(out.data(), 1, out.size(), file_) != out.size()) ok_ = false;
}

void ReportWriter::putText(const std::string& utf8) {
    put(ansi(utf8.c_str()));
}

void ReportWriter::put(const char* head, const std::string& value, const char* tail) {
    put(ansi(head) + value + ansi(tail));
}

std::string traceLines(const RunRecord& run) {
    const std::string solver = run.solverVersion.empty() ? std::string("zelvo_v3.exe")
                                                         : "zelvo_v3.exe " + toUtf8(run.solverVersion);
    std::string source = toUtf8(run.dataSource);
    std::replace(source.begin(), source.end(), ',', ' ');  // one field, whatever the name holds
    return "プログラム,VORNEL " VORNEL_VERSION_TEXT "," + solver + "," + run.runTime + "\n水深データ," + source + "\n";
}

std::wstring& csvFileName() {
    return chosenName;
}

std::wstring& lastCsvFolder() {
    return chosenFolder;
}

std::wstring csvFilterList(std::wstring_view resourceText) {
    std::wstring list(resourceText);
    if (list.empty()) return list;
    const wchar_t separator = list.back();
    std::replace(list.begin(), list.end(), separator, L'\0');
    return list;
}

bool acceptChosenCsvName(std::wstring& name, std::wstring& lastFolder) {
    const std::size_t slash = name.rfind(L'\\');
    // Only the file name's own dot counts: company folders such as
    // C:\Users\t.yamada must not leave a report without an extension.
    const std::size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    const bool append = name.find(L'.', nameStart) == std::wstring::npos && name.size() + 4 < kCsvNameCapacity;
    if (append) name += L".csv";
    if (slash != std::wstring::npos) lastFolder = name.substr(0, slash);
    return append;
}

int writeReportFile(WindowRef owner, const std::wstring& path, const std::function<void(ReportWriter&)>& content) {
    Platform& p = platform();
    const std::wstring caption = widen(msg::kCsvCaption);
    // The report is written beside the chosen file and put in its place only
    // when complete: a full disk or a lost share never leaves a cut report,
    // and an earlier report of the same name survives a failed save.
    const std::wstring partial = path + L".part";
    ScopedFile file(p.openFile(partial, "wb"));
    if (!file) {
        p.warn(owner, caption, fillIn(msg::kCsvCannotOpen, {path}));
        return -1;
    }
    ReportWriter writer(file.get());
    content(writer);
    const bool onDisk = writer.ok() && p.flushToDisk(file.get());
    const bool closed = file.close();
    if (onDisk && closed) {
        // A virus scanner holds a new file for a moment, and a report open in
        // Excel cannot be replaced until Excel lets go: try again briefly.
        for (int attempt = 0;; ++attempt) {
            if (p.replaceFile(partial, path)) return 0;
            if (attempt == kReplaceAttempts - 1) break;
            p.pausePainting(kReplaceRetry);
        }
        p.deleteFile(partial);
        p.warn(owner, caption, fillIn(msg::kCsvCannotReplace, {path}));
        return -1;
    }
    p.deleteFile(partial);
    p.warn(owner, caption, fillIn(msg::kCsvWriteFailed, {path}));
    return -1;
}

int writeResultCsv(WindowRef owner, RunRecord& run, const std::wstring& path) {
    return writeReportFile(owner, path, [&](ReportWriter& writer) {
        writeParameterSection(writer, run.fields, run.diffractionOff);
        writeResults(writer, run);
        writeTail(writer, run);
    });
}

}  // namespace vornel
