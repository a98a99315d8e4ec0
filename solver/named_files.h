// Files named by the case title. The title is Shift_JIS (code page 932) on
// every system: VORNEL writes it so and looks for the outputs by its
// characters. The name therefore goes to the file system as characters, not
// as bytes that the system code page would read as other letters.
#pragma once

#include <cstdio>
#include <string>

namespace zelvo {

// fopen of the file whose name is `cp932Name`; nullptr when the name is no
// Shift_JIS text or the file cannot be opened.
std::FILE* openNamedFile(const std::string& cp932Name, const char* mode);
// Removes that file; false when it could not be removed.
bool removeNamedFile(const std::string& cp932Name);
// Renames `from` to `to`, replacing a file of that name; false when it could not.
bool replaceNamedFile(const std::string& cp932From, const std::string& cp932To);

}  // namespace zelvo
