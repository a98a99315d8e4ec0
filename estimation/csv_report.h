// The CSV report of a run: the parameters as the parameter dialog shows them,
// the solver's echo of its inputs and the table of candidates with the
// estimated Smax. Shift_JIS text (code page 932), CR LF line ends.
#pragma once

#include <string>
#include <string_view>

#include <cstdio>
#include <functional>

#include "estimation/dialog_fields.h"
#include "estimation/run_record.h"
#include "platform/platform.h"

namespace vornel {

// Capacity of the save dialog's file-name buffer, terminator included.
inline constexpr std::size_t kCsvNameCapacity = 256;

// The name chosen last (offered again by the next save dialog) and its folder;
// both empty at program start, never saved.
std::wstring& csvFileName();
std::wstring& lastCsvFolder();

// The save dialog's filter list from the resource text, whose last character
// is the separator: every separator becomes a NUL.
std::wstring csvFilterList(std::wstring_view resourceText);

// What happens to a name the save dialog returned: ".csv" is appended when the
// file name (after the last backslash) holds no dot and it fits the buffer;
// `lastFolder` becomes the part before the last backslash, if any. True when
// ".csv" was appended: the dialog's overwrite prompt did not see that name.
bool acceptChosenCsvName(std::wstring& name, std::wstring& lastFolder);

// Writes the report of `run` (the run on screen) to `path` (wide from the save
// dialog to the file call, so that any folder name works), replacing an
// existing file: the parameter texts as the dialog showed them when the run
// started, the solver's echo and the candidates with the estimated Smax; then
// the program and the data it came from, the whole-sea heights, the validity
// notes and, once computed, the sensitivity. Returns 0 when the file was
// written and closed; -1 after a warning under "CSVファイルの保存" owned by
// `owner`: the file could not be opened, or a write or the close failed, in
// which case the partial file is removed.
int writeResultCsv(WindowRef owner, RunRecord& run, const std::wstring& path);

// Writes the pieces of a report, with "\n" as CR LF, and remembers the first
// failure: a full disk or a lost share must not leave a cut report that looks
// complete.
class ReportWriter {
public:
    explicit ReportWriter(std::FILE* file) : file_(file) {}
    // 8-bit text as it is.
    void put(const std::string& bytes);
    // The program's own UTF-8 text in code page 932.
    void putText(const std::string& utf8);
    // A line of a fixed text followed by one value (already 8-bit) and a tail.
    void put(const char* head, const std::string& value, const char* tail);
    bool ok() const { return ok_; }

private:
    std::FILE* file_;
    bool ok_ = true;
};

// The parameter section the report starts with (what 計算条件の読込 reads).
void writeParameterSection(ReportWriter& w, DialogFields& fields, bool diffractionOff);

// The lines 「プログラム」 and 「水深データ」 of a run (UTF-8): which program and
// data gave the numbers.
std::string traceLines(const RunRecord& run);

// Writes `path` through `.part` beside it: written by `content`, pushed to
// the disk, then put in place; on failure the partial file is removed and the
// warning says why (a report held open by Excel included). Returns 0 or -1.
int writeReportFile(WindowRef owner, const std::wstring& path, const std::function<void(ReportWriter&)>& content);

}  // namespace vornel
