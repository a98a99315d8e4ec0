// Where the data are, and the paths of the data folder Db01 beside the
// program and of the files in it.
//
// Every builder returns false when the path would pass the 255 characters of
// the program's path buffers; callers then treat the file as absent.
#pragma once

#include <string>
#include <string_view>

namespace vornel {

// The two folders the data come from. One record for the whole run: the
// program's start-up sets the program folder, the M7000 folder choice the
// other; every loader reads them here.
struct DataFolders {
    // The program folder: Db01, japan.llm and parameter.lst beside the
    // program, and the solver with its files. At most 255 characters.
    std::wstring programFolder;
    // The folder of the M7000 data sets; empty until one is chosen.
    std::wstring m7000Folder;
};
DataFolders& dataFolders();
// Back to no folders (tests, and with the rest of the application state).
void resetDataFolders();

inline constexpr const wchar_t* kDataFolderName = L"Db01";

// ProgramFolder\Db01
bool dataFolderPath(std::wstring& out);
// ProgramFolder\Db01\name
bool dataFilePath(std::wstring& out, std::wstring_view name);
// ProgramFolder\Db01\region\name.con, from the 8-bit names of a harbour record.
bool harbourContourPath(std::wstring& out, std::string_view ansiRegion, std::string_view ansiName);

}  // namespace vornel
