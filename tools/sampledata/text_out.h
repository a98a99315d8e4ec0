// Writing the data set's 8-bit text files: CR LF line ends as on the target
// systems, fixed-width fields, degrees-minutes-seconds.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace sampledata {

// printf into a std::string. The generator never calls setlocale, so the
// decimal point is always ".".
std::string fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));

// `text` padded with blanks to `width` bytes; longer text is an error, since
// a field that spills over would shift every column after it.
std::string padded(std::string_view text, std::size_t width);

// Appends `line` and CR LF.
void addLine(std::string& file, std::string_view line);

// Writes the bytes, creating the parent folders.
void writeFile(const std::filesystem::path& path, const std::string& bytes);

// An angle split into whole degrees, minutes and seconds rounded to 1/1000 s,
// the precision of the DMS fields.
struct Dms {
    int degrees, minutes;
    double seconds;
};
Dms toDms(double degrees);

// Contour file header field, 15 characters: hemisphere letter, degrees in
// three, a blank, minutes in two, ', seconds in six, " — e.g. N 35 10'20.000".
std::string dmsHeaderField(double degrees, char positive, char negative);

// kowan.lst origin field, 14 characters: DDD MM SS.SSSS.
std::string dmsListField(double degrees);

// A path from UTF-8 text (the names on disk are UTF-8).
std::filesystem::path utf8Path(std::string_view text);

}  // namespace sampledata
