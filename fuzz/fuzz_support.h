// What every fuzz target shares: a quiet platform and a temporary program
// folder with its Db01 data folder, made once per process.
//
// A target writes the fuzzer's bytes to the one file its reader takes them
// from, resets the lists the reader fills and calls the real loader. The
// stores keep their real capacities; resetting them costs only their counts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornel::fuzz {

// Installs the quiet platform, makes the program folder and points
// dataFolders().programFolder at it. Returns the folder (UTF-8, no trailing '/').
// Later calls return the same folder.
const std::string& programFolder();

// Writes `size` bytes to `relative` ('/' separated, UTF-8) under the program
// folder, creating its folders.
void writeFile(const std::string& relative, const std::uint8_t* data, std::size_t size);
inline void writeFile(const std::string& relative, const std::string& bytes) {
    writeFile(relative, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
void removeFile(const std::string& relative);
void makeFolder(const std::string& relative);

// A small valid contour file with its origin header.
std::string sampleContourFile();

}  // namespace vornel::fuzz
