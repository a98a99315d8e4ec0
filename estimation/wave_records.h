// A gauge's wave record for the batch estimation: one line per observation,
// 日時, H1/3 [m], T1/3 [s], 波向, separated by commas, tabs or blanks, in
// Shift_JIS, UTF-8 (with or without BOM) or UTF-16 with BOM. A record with a
// missing or out-of-range value is kept and marked, never run and never
// dropped; a line that does not read as a record is kept as such.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornel {

// A file with more records is refused.
inline constexpr std::size_t kMaxWaveRecords = 100000;

enum class RecordStatus {
    Ok,          // all three values present and in range: to be run
    Missing,     // a value is missing (empty, -, 欠測, 999.9, 9999)
    OutOfRange,  // a value outside the parameter dialog's range
    Unreadable,  // the line does not read as a record at all
};

struct WaveRecord {
    int line = 0;                   // 1-based line number in the file
    std::wstring when;              // 日時 as it stands; the whole line when unreadable
    std::wstring fields[3];         // H1/3, T1/3 and 波向 as they stand
    double height = 0.0;            // H1/3, m
    double period = 0.0;            // T1/3, s
    double direction = 0.0;         // degrees, [0, 360)
    bool namedDirection = false;    // given as one of the 16 points
    RecordStatus status = RecordStatus::Ok;
};

enum class RecordsRead {
    Ok,
    NotRecords,  // no line reads as a record
    TooMany,     // more than kMaxWaveRecords records
};

struct WaveRecordFile {
    RecordsRead outcome = RecordsRead::Ok;
    std::vector<WaveRecord> records;
    bool hadHeader = false;
    int firstBadLine = 0;         // NotRecords: the first line that is not a record
    std::wstring firstBadText;    // and its text
    std::size_t recordCount = 0;  // TooMany: how many the file holds
};

// The file's text as wide characters, by its byte order mark or, without
// one, as UTF-8 when it is valid UTF-8 and Shift_JIS otherwise.
std::wstring decodeRecordsText(std::string_view bytes);

// Reads the records of the decoded text.
WaveRecordFile readWaveRecords(std::wstring_view text);

// The centre azimuth of a 16-point name (N, NNE, …, 北, 北北東, …), or -1.
double sixteenPointAzimuth(std::wstring_view name);

}  // namespace vornel
