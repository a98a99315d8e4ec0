// Building file paths in the program's fixed-size path buffers.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace vornel {

// Paths hold at most 255 characters (a buffer of 256 with its terminator).
inline constexpr std::size_t kMaxPathChars = 255;

// folder + '\\' + name. Returns false (and leaves `out` empty) when the result
// would pass kMaxPathChars: a longer path is never cut into another file's name.
bool joinPath(std::wstring& out, std::wstring_view folder, std::wstring_view name);

// joinPath, and on failure the warning "ファイルのパスが長すぎます。[...]" naming
// the file, under `caption`, owned by `owner`.
bool joinPathOrWarn(std::wstring& out, std::wstring_view folder, std::wstring_view name, WindowRef owner,
                    std::wstring_view caption);

}  // namespace vornel
