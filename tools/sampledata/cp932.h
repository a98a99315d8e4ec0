// UTF-8 to Windows code page 932 (Shift_JIS) for the names that the sample
// data set writes into its 8-bit text files.
#pragma once

#include <string>
#include <string_view>

namespace sampledata {

// ASCII passes unchanged; every other character must be in the table of
// cp932.cpp, else std::runtime_error names it.
std::string toCp932(std::string_view utf8);

}  // namespace sampledata
