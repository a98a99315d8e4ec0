// fopen by a path of any characters: the wide name on Windows, so that
// folders outside the system code page work; the UTF-8 name elsewhere.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace gridcontour {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr openFile(const std::filesystem::path& path, bool forWriting) {
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), forWriting ? L"wb" : L"rb"));
#else
    return FilePtr(std::fopen(path.c_str(), forWriting ? "wb" : "rb"));
#endif
}

}  // namespace gridcontour

namespace gridcontour {

// A path as UTF-8 text, for messages.
inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace gridcontour
