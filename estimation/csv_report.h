// The CSV report of a run: the parameters as the parameter dialog shows them,
// the solver's echo of its inputs and the table of candidates with the
// estimated Smax. Shift_JIS text (code page 932), CR LF line ends.
#pragma once

#include <string>
#include <string_view>

#include "estimation/dialog_fields.h"
#include "platform/platform.h"

namespace vornel {

// Capacity of the save dialog's file-name buffer, terminator included.
inline constexpr std::size_t kCsvNameCapacity = 256;

// The name chosen last (offered again by the next save dialog) and its folder;
// both empty at program start, never saved.
std::wstring& csvFileName();
std::wstring& lastCsvFolder();

// The save dialog's filter list from the resource text, whose last character
// is the separator: every separator becomes a NUL.
std::wstring csvFilterList(std::wstring_view resourceText);

// What happens to a name the save dialog returned: ".csv" is appended when the
// file name (after the last backslash) holds no dot and it fits the buffer;
// `lastFolder` becomes the part before the last backslash, if any.
void acceptChosenCsvName(std::wstring& name, std::wstring& lastFolder);

// Writes the report to `path` (wide from the save dialog to the file call, so
// that any folder name works), replacing an existing file, reading
// the parameter texts from `params` (the parameter dialog's fields; the text
// of its relation list is the selected entry). Returns 0 when the file was
// written and closed; -1 after a warning under "CSVファイルの保存" owned by
// `owner`: the file could not be opened, or a write or the close failed, in
// which case the partial file is removed.
int writeResultCsv(WindowRef owner, DialogFields& params, const std::wstring& path);

}  // namespace vornel
