// ヘルプ → 使い方ガイド: the guide that ships beside the program, docs\ガイド.pdf,
// in the user's own PDF viewer.
#pragma once

#include <windows.h>

#include <string>

namespace vornel {

// The guide's full path in `programFolder`.
std::wstring userGuidePath(const std::wstring& programFolder);

// Opens the guide with the shell's "open" verb; when the file is missing or no
// viewer takes it, a box under "使い方ガイド" names the path.
void openUserGuide(HWND window);

}  // namespace vornel
