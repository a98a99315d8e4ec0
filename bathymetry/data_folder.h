// Paths of the data folder Db01 beside the program and of the files in it.
//
// Every builder returns false when the path would pass the 255 characters of
// the program's path buffers; callers then treat the file as absent.
#pragma once

#include <string>
#include <string_view>

namespace vornel {

inline constexpr const wchar_t* kDataFolderName = L"Db01";

// ProgramFolder\Db01
bool dataFolderPath(std::wstring& out);
// ProgramFolder\Db01\name
bool dataFilePath(std::wstring& out, std::wstring_view name);
// ProgramFolder\Db01\region\name.con, from the 8-bit names of a harbour record.
bool harbourContourPath(std::wstring& out, std::string_view ansiRegion, std::string_view ansiName);

}  // namespace vornel
