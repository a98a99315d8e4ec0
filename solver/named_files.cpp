#include "named_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <cstdio>

namespace zelvo {

namespace {

#ifdef _WIN32
// Windows: UTF-16 through code page 932, whatever the system code page
// (1252 on an English Windows would make 表 into two Latin letters).
bool systemName(const std::string& cp932Name, std::wstring& out) {
    out.clear();
    if (cp932Name.empty()) return true;
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932Name.data(), static_cast<int>(cp932Name.size()),
                                      nullptr, 0);
    if (n <= 0) return false;
    out.resize(static_cast<std::size_t>(n));
    return MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, cp932Name.data(), static_cast<int>(cp932Name.size()),
                               out.data(), n) == n;
}
#else
// Elsewhere (the native tests): UTF-8, the file-name encoding of Linux and of
// VORNEL's own native platform layer.
bool systemName(const std::string& cp932Name, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    std::string buffer(cp932Name.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(cp932Name.data());
    std::size_t inLeft = cp932Name.size();
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    const bool ok = iconv(cd, &in, &inLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    if (ok) out.assign(buffer.data(), buffer.size() - dstLeft);
    return ok;
}
#endif

}  // namespace

std::FILE* openNamedFile(const std::string& cp932Name, const char* mode) {
#ifdef _WIN32
    std::wstring name;
    if (!systemName(cp932Name, name)) return nullptr;
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(name.c_str(), wideMode.c_str());
#else
    std::string name;
    if (!systemName(cp932Name, name)) return nullptr;
    return std::fopen(name.c_str(), mode);
#endif
}

bool removeNamedFile(const std::string& cp932Name) {
#ifdef _WIN32
    std::wstring name;
    return systemName(cp932Name, name) && _wremove(name.c_str()) == 0;
#else
    std::string name;
    return systemName(cp932Name, name) && std::remove(name.c_str()) == 0;
#endif
}

bool replaceNamedFile(const std::string& cp932From, const std::string& cp932To) {
#ifdef _WIN32
    std::wstring from, to;
    return systemName(cp932From, from) && systemName(cp932To, to) &&
           MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    std::string from, to;
    return systemName(cp932From, from) && systemName(cp932To, to) && std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace zelvo
