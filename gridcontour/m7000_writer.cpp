#include "m7000_writer.h"

#include <charconv>
#include <cstring>
#include <system_error>
#include <type_traits>

#include "bathymetry/m7000_text_columns.h"
#include "messages.h"
#include "native_file.h"

namespace gridcontour {

namespace cols = vornel::m7000text;

namespace {

// `value` with `decimals` decimals right-aligned in `width` characters at
// `offset` (printf's "%W.Df": same digits, same rounding).
bool putFixed(char* line, std::size_t offset, std::size_t width, double value, int decimals) {
    char digits[64];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    const auto length = static_cast<std::size_t>(end - digits);
    if (error != std::errc() || length > width) return false;
    std::memcpy(line + offset + width - length, digits, length);
    return true;
}

bool putInteger(char* line, std::size_t offset, std::size_t width, long long value) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = static_cast<std::size_t>(end - digits);
    if (error != std::errc() || length > width) return false;
    std::memcpy(line + offset + width - length, digits, length);
    return true;
}

bool startsWithCode(const std::filesystem::path& name, const std::string& code) {
    const auto text = name.native();
    if (text.size() < code.size()) return false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        auto c = text[i];
        if (c >= 'a' && c <= 'z') c = static_cast<decltype(c)>(c - 'a' + 'A');  // "m7901" matches VORNEL's M7* search
        if (c != static_cast<decltype(c)>(code[i])) return false;
    }
    return true;
}

// The length of `text` cut to at most `limit` units without splitting a
// character: a UTF-8 sequence, or a UTF-16 surrogate pair.
template <typename Char>
std::size_t characterBoundary(const std::basic_string<Char>& text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t cut = limit;
    if constexpr (sizeof(Char) == 1) {
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    } else {
        if (cut > 0 && text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
    }
    return cut;
}

// The temporary name does not start with "M7", so that VORNEL never takes a
// half-written file for a data set.
std::filesystem::path temporaryOf(const std::filesystem::path& target) {
    std::filesystem::path name("~");
    name += target.filename();
    name += ".part";
    return target.parent_path() / name;
}

}  // namespace

bool formatPointLine(std::string& out, double depth, double lat, double lon, long long lineNumber) {
    char line[cols::kLineLength + 2];
    std::memset(line, ' ', sizeof line);
    if (!putFixed(line, cols::kDepthOffset, cols::kDepthWidth, depth, 2) ||
        !putFixed(line, cols::kLatOffset, cols::kLatWidth, lat, 6) ||
        !putFixed(line, cols::kLonOffset, cols::kLonWidth, lon, 6) ||
        !putInteger(line, cols::kLineIdOffset, cols::kLineIdWidth, lineNumber))
        return false;
    line[cols::kLineLength] = '\r';
    line[cols::kLineLength + 1] = '\n';
    out.append(line, sizeof line);
    return true;
}

std::filesystem::path chooseDataSetName(const std::filesystem::path& folder, const std::filesystem::path& gridStem,
                                        const std::set<std::string>& reserved) {
    std::vector<std::filesystem::path> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    auto stem = gridStem.native();
    for (auto& c : stem) {
        // Characters no Windows file name may hold.
        const auto code = static_cast<std::make_unsigned_t<std::remove_reference_t<decltype(c)>>>(c);
        if (code < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' || c == '/' || c == '\\' || c == '|' ||
            c == '?' || c == '*')
            c = '_';
    }
    // VORNEL keeps a data set's name in 255 bytes with its folder.
    stem.resize(characterBoundary(stem, 100));
    for (int number = 1; number <= 99; ++number) {
        char code[8];
        std::snprintf(code, sizeof code, "M79%02d", number);
        if (reserved.count(code)) continue;
        bool used = false;
        for (const auto& name : names)
            if (startsWithCode(name, code)) used = true;
        if (used) continue;
        std::filesystem::path name(std::string(code) + "_");
        name += stem;
        name += ".txt";
        return folder / name;
    }
    return {};
}

std::set<std::string> codesKnownToVornel(const std::filesystem::path& programFolder) {
    std::set<std::string> codes;
    for (const char* file : {"M7000.grd", "M7000.Lst"}) {
        FilePtr in = openFile(programFolder / "Db01" / file, false);
        if (!in) continue;
        char line[512];
        while (std::fgets(line, sizeof line, in.get())) {
            const std::size_t length = std::strcspn(line, ",\t\r\n");
            if (length > 0) codes.emplace(line, length);
        }
    }
    return codes;
}

std::string checkWritable(const std::filesystem::path& target) {
    const std::filesystem::path temporary = temporaryOf(target);
    FilePtr out = openFile(temporary, true);
    if (!out) return msg::cannotWriteFolder(utf8Of(temporary));
    out.reset();
    std::error_code error;
    std::filesystem::remove(temporary, error);
    return {};
}

WrittenDataSet writeDataSet(const std::filesystem::path& target, const std::vector<ContourLine>& lines,
                            const std::vector<double>& depths, const std::function<GeoPoint(const GridPoint&)>& toGeo) {
    WrittenDataSet result;
    const std::filesystem::path temporary = temporaryOf(target);
    FilePtr out = openFile(temporary, true);
    if (!out) {
        result.failure = msg::cannotWriteFolder(utf8Of(temporary));
        return result;
    }
    std::string buffer;
    buffer.reserve(1 << 20);
    bool ok = true;
    std::string failure;
    // The columns that place a point: a point repeating them adds nothing.
    constexpr std::size_t kPlaceFrom = cols::kLatOffset, kPlaceTo = cols::kLonOffset + cols::kLonWidth;
    for (const ContourLine& line : lines) {
        const std::size_t lineStart = buffer.size();
        std::size_t previous = 0;
        long long kept = 0;
        for (const GridPoint& point : line.points) {
            const GeoPoint geo = toGeo(point);
            const std::size_t start = buffer.size();
            if (!(geo.lat >= -90 && geo.lat <= 90 && geo.lon >= -180 && geo.lon < 360) ||
                !formatPointLine(buffer, depths[line.level], geo.lat, geo.lon, result.lines + 1)) {
                failure = msg::outsideColumns(geo.lat, geo.lon);
                ok = false;
                break;
            }
            if (kept > 0 && buffer.compare(start + kPlaceFrom, kPlaceTo - kPlaceFrom, buffer, previous + kPlaceFrom,
                                           kPlaceTo - kPlaceFrom) == 0) {
                buffer.resize(start);
                continue;
            }
            previous = start;
            ++kept;
        }
        if (!ok) break;
        if (kept < 2) {
            buffer.resize(lineStart);
        } else {
            ++result.lines;
            result.points += kept;
            result.levels.insert(line.level);
        }
        if (buffer.size() >= (1 << 20)) {
            ok = std::fwrite(buffer.data(), 1, buffer.size(), out.get()) == buffer.size();
            buffer.clear();
            if (!ok) break;
        }
    }
    if (ok && !buffer.empty()) ok = std::fwrite(buffer.data(), 1, buffer.size(), out.get()) == buffer.size();
    if (ok) ok = std::fflush(out.get()) == 0;
    const bool closed = std::fclose(out.release()) == 0;
    std::error_code error;
    if (ok && closed && result.lines == 0) {
        // Every line came out as a single point: nothing to show.
        std::filesystem::remove(temporary, error);
        result.failure = msg::noContour(depths.size());
        return result;
    }
    if (ok && closed) {
        std::filesystem::rename(temporary, target, error);
        if (!error) return result;
        failure = msg::cannotWriteFolder(utf8Of(target) + " に名前を変えられません");
    } else if (failure.empty()) {
        failure = msg::cannotWriteFolder("ディスクがいっぱいか、書き込みが拒否されました");
    }
    std::filesystem::remove(temporary, error);
    result.failure = failure;
    return result;
}

}  // namespace gridcontour
