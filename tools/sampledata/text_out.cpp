#include "text_out.h"

#include <cmath>
#include <cstdarg>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace sampledata {

std::string fmt(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::vector<char> buf(static_cast<std::size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    va_end(args);
    return std::string(buf.data(), static_cast<std::size_t>(n));
}

std::string padded(std::string_view text, std::size_t width) {
    if (text.size() > width)
        throw std::runtime_error("field \"" + std::string(text) + "\" is wider than " + std::to_string(width));
    std::string out(text);
    out.append(width - text.size(), ' ');
    return out;
}

void addLine(std::string& file, std::string_view line) {
    file += line;
    file += "\r\n";
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

Dms toDms(double degrees) {
    const long long milli = std::llround(std::fabs(degrees) * 3600.0 * 1000.0);
    Dms d;
    d.degrees = static_cast<int>(milli / 3600000);
    d.minutes = static_cast<int>(milli / 60000 % 60);
    d.seconds = static_cast<double>(milli % 60000) / 1000.0;
    return d;
}

std::string dmsHeaderField(double degrees, char positive, char negative) {
    const Dms d = toDms(degrees);
    return fmt("%c%3d %02d'%06.3f\"", degrees < 0 ? negative : positive, d.degrees, d.minutes, d.seconds);
}

std::string dmsListField(double degrees) {
    const Dms d = toDms(degrees);
    // the reader takes six characters of seconds; the seventh is always 0
    return fmt("%03d %02d %07.4f", d.degrees, d.minutes, d.seconds);
}

std::filesystem::path utf8Path(std::string_view text) {
    // POSIX paths are bytes: the UTF-8 text is the name.
    return std::filesystem::path(std::string(text));
}

}  // namespace sampledata
