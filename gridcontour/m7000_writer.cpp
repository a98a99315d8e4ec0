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
    if (stem.size() > 100) stem.resize(100);
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

std::string writeDataSet(const std::filesystem::path& target, const std::vector<ContourLine>& lines,
                         const std::vector<double>& depths, const std::function<GeoPoint(const GridPoint&)>& toGeo) {
    // The temporary name does not start with "M7", so that VORNEL never takes
    // a half-written file for a data set.
    std::filesystem::path temporaryName("~");
    temporaryName += target.filename();
    temporaryName += ".part";
    const std::filesystem::path temporary = target.parent_path() / temporaryName;
    FilePtr out = openFile(temporary, true);
    if (!out) return msg::cannotWriteFolder(utf8Of(temporary));
    std::string buffer;
    buffer.reserve(1 << 20);
    bool ok = true;
    std::string failure;
    long long lineNumber = 0;
    for (const ContourLine& line : lines) {
        ++lineNumber;
        for (const GridPoint& point : line.points) {
            const GeoPoint geo = toGeo(point);
            if (!(geo.lat >= -90 && geo.lat <= 90 && geo.lon >= -180 && geo.lon < 360) ||
                !formatPointLine(buffer, depths[line.level], geo.lat, geo.lon, lineNumber)) {
                failure = msg::outsideColumns(geo.lat, geo.lon);
                ok = false;
                break;
            }
        }
        if (!ok) break;
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
    if (ok && closed) {
        std::filesystem::rename(temporary, target, error);
        if (!error) return {};
        failure = msg::cannotWriteFolder(utf8Of(target) + " に名前を変えられません");
    } else if (failure.empty()) {
        failure = msg::cannotWriteFolder("ディスクがいっぱいか、書き込みが拒否されました");
    }
    std::filesystem::remove(temporary, error);
    return failure;
}

}  // namespace gridcontour
