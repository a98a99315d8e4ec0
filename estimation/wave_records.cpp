#include "estimation/wave_records.h"

#include <cmath>
#include <cstdlib>
#include <cwctype>

#include "estimation/numeric_text.h"
#include "platform/platform.h"
#include "platform/text.h"

namespace vornel {

namespace {

// The parameter dialog's ranges of the run inputs (a zero height or period is
// no wave to estimate; the gauge's directions run from 0 up to, not including, 360).
constexpr double kMaxHeight = 99.0;
constexpr double kMaxPeriod = 99.0;

constexpr const wchar_t* kEnglishPoints[16] = {L"N", L"NNE", L"NE", L"ENE", L"E", L"ESE", L"SE", L"SSE",
                                               L"S", L"SSW", L"SW", L"WSW", L"W", L"WNW", L"NW", L"NNW"};
constexpr const wchar_t* kJapanesePoints[16] = {L"北",   L"北北東", L"北東", L"東北東", L"東",   L"東南東",
                                                L"南東", L"南南東", L"南",   L"南南西", L"南西", L"西南西",
                                                L"西",   L"西北西", L"北西", L"北北西"};

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\u3000' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v';
}

std::wstring_view trim(std::wstring_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool validUtf8(std::string_view b, bool& anyHigh) {
    anyHigh = false;
    for (std::size_t i = 0; i < b.size();) {
        const unsigned char c = static_cast<unsigned char>(b[i]);
        std::size_t len = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || (len == 2 && c < 0xC2) || i + len > b.size()) return false;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(b[i + k]) & 0xC0) != 0x80) return false;
        if (len > 1) anyHigh = true;
        i += len;
    }
    return true;
}

std::wstring fromUtf16(std::string_view b, bool bigEndian) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < b.size(); i += 2) {
        const unsigned char lo = b[i + (bigEndian ? 1 : 0)], hi = b[i + (bigEndian ? 0 : 1)];
        units.push_back(static_cast<char16_t>(lo | (hi << 8)));
    }
    std::wstring out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0x10000) {
                out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
                out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
                continue;
            }
        }
        out.push_back(static_cast<wchar_t>(cp));
    }
    return out;
}

// Full-width letters, digits and signs as their ASCII forms: a direction
// typed with the input method on reads as typed without it.
std::wstring foldFullWidthAscii(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<wchar_t>(c - 0xFF01 + 0x21);
    return out;
}

bool isMissingMark(std::wstring_view field) {
    return field.empty() || field == L"-" || field == L"--" || field == L"－" || field == L"欠測" ||
           field == L"nan" || field == L"NaN" || field == L"NAN";
}

// The whole field as a number (full-width digits folded); false for any
// other text, a unit or a second number included.
bool wholeNumber(std::wstring_view field, double& value) {
    const std::wstring folded = foldFullWidth(field);
    if (folded.empty() || folded.size() > 40) return false;
    std::string ascii;
    for (const wchar_t c : folded) {
        if (c > 0x7F) return false;
        ascii.push_back(static_cast<char>(c));
    }
    if (ascii.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    char* end = nullptr;
    value = std::strtod(ascii.c_str(), &end);
    return end == ascii.c_str() + ascii.size() && std::isfinite(value);
}

// 999.9 and 9999 are the gauges' codes for a missing value.
bool isMissingCode(double v) {
    return std::fabs(v - 999.9) < 1e-6 || std::fabs(v - 9999.0) < 1e-6;
}

enum class Value { Number, Missing, Bad };

Value readValue(std::wstring_view field, double& v) {
    if (isMissingMark(field)) return Value::Missing;
    if (!wholeNumber(field, v)) return Value::Bad;
    return isMissingCode(v) ? Value::Missing : Value::Number;
}

// Splits a line into 日時 and the three values: on commas and tabs where the
// line has them (a 日時 with blanks stays whole, empty fields stay empty),
// otherwise on blanks with the last three tokens as the values.
bool splitLine(std::wstring_view line, std::wstring_view fields[4]) {
    if (line.find_first_of(L",\t") != std::wstring_view::npos) {
        std::size_t n = 0, start = 0;
        for (;;) {
            const std::size_t end = line.find_first_of(L",\t", start);
            if (n < 4) fields[n] = trim(line.substr(start, end == std::wstring_view::npos ? end : end - start));
            ++n;
            if (end == std::wstring_view::npos) break;
            start = end + 1;
        }
        return n >= 4;  // further columns of the gauge's file are not read
    }
    std::vector<std::wstring_view> tokens;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isBlank(line[pos])) ++pos;
        if (pos == line.size()) break;
        std::size_t end = pos;
        while (end < line.size() && !isBlank(line[end])) ++end;
        tokens.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    if (tokens.size() < 4) return false;
    const std::size_t n = tokens.size();
    fields[0] = trim(line.substr(0, tokens[n - 3].data() - line.data()));
    fields[1] = tokens[n - 3];
    fields[2] = tokens[n - 2];
    fields[3] = tokens[n - 1];
    return true;
}

// The record of one line; false when the line is not a record at all.
bool parseRecord(std::wstring_view line, WaveRecord& r) {
    std::wstring_view f[4];
    if (!splitLine(line, f)) return false;
    r.when = std::wstring(f[0]);
    for (int i = 0; i < 3; ++i) r.fields[i] = std::wstring(f[i + 1]);
    const Value h = readValue(f[1], r.height);
    const Value t = readValue(f[2], r.period);
    Value d = Value::Missing;
    if (!isMissingMark(f[3])) {
        const double named = sixteenPointAzimuth(foldFullWidthAscii(f[3]));
        if (named >= 0.0) {
            r.direction = named;
            r.namedDirection = true;
            d = Value::Number;
        } else {
            d = readValue(f[3], r.direction);
        }
    }
    if (h == Value::Bad || t == Value::Bad || d == Value::Bad) return false;
    if (h == Value::Missing || t == Value::Missing || d == Value::Missing) {
        r.status = RecordStatus::Missing;
    } else if (!(r.height > 0.0 && r.height <= kMaxHeight) || !(r.period > 0.0 && r.period <= kMaxPeriod) ||
               !(r.direction >= 0.0 && r.direction < 360.0)) {
        r.status = RecordStatus::OutOfRange;
    } else {
        r.status = RecordStatus::Ok;
    }
    return true;
}

}  // namespace

double sixteenPointAzimuth(std::wstring_view name) {
    for (int i = 0; i < 16; ++i) {
        if (name == kJapanesePoints[i]) return 22.5 * i;
        const std::wstring_view english = kEnglishPoints[i];
        if (name.size() == english.size()) {
            bool same = true;
            for (std::size_t k = 0; k < name.size() && same; ++k)
                same = std::towupper(static_cast<wint_t>(name[k])) == static_cast<wint_t>(english[k]);
            if (same) return 22.5 * i;
        }
    }
    return -1.0;
}

std::wstring decodeRecordsText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return widen(bytes.substr(3));
    if (bytes.starts_with("\xFF\xFE")) return fromUtf16(bytes.substr(2), false);
    if (bytes.starts_with("\xFE\xFF")) return fromUtf16(bytes.substr(2), true);
    bool anyHigh = false;
    if (validUtf8(bytes, anyHigh) && anyHigh) return widen(bytes);
    return platform().fromCp932(bytes);
}

WaveRecordFile readWaveRecords(std::wstring_view text) {
    WaveRecordFile file;
    int lineNumber = 0;
    int headerLine = 0;
    std::wstring headerText;
    bool firstLine = true;
    for (std::size_t pos = 0; pos <= text.size();) {
        std::size_t end = text.find(L'\n', pos);
        if (end == std::wstring_view::npos) end = text.size();
        std::wstring_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        line = trim(line);
        if (line.empty()) continue;
        WaveRecord record;
        record.line = lineNumber;
        const bool readable = parseRecord(line, record);
        if (!readable && firstLine) {
            // The first line may name the columns.
            headerLine = lineNumber;
            headerText = std::wstring(line);
            firstLine = false;
            continue;
        }
        firstLine = false;
        if (!readable) {
            if (file.firstBadLine == 0) {
                file.firstBadLine = lineNumber;
                file.firstBadText = std::wstring(line);
            }
            record.when = std::wstring(line);
            record.status = RecordStatus::Unreadable;
        }
        ++file.recordCount;
        if (file.records.size() < kMaxWaveRecords) file.records.push_back(std::move(record));
    }
    bool anyRecord = false;
    for (const WaveRecord& r : file.records) anyRecord = anyRecord || r.status != RecordStatus::Unreadable;
    file.hadHeader = headerLine != 0;
    if (!anyRecord) {
        file.outcome = RecordsRead::NotRecords;
        if (file.firstBadLine == 0) {
            file.firstBadLine = headerLine;
            file.firstBadText = headerText;
        }
        file.records.clear();
    } else if (file.recordCount > kMaxWaveRecords) {
        file.outcome = RecordsRead::TooMany;
        file.records.clear();
    }
    return file;
}

}  // namespace vornel
