// The wildcard rules of the system's directory listings, on names alone.
#pragma once

#include <string_view>

namespace vornel {

// Whether `name` matches `pattern` as a Windows listing matches a long name:
// '*' any run of characters, '?' one character (a '?' at the end of the
// pattern or before a dot may also match nothing, so "????" takes names of
// one to four characters), other characters equal but for the case of ASCII
// letters. Windows also matches the short 8.3 names, by which "*.con" lists
// "x.conf" (short name X~1.CON): the listings check each name again here.
bool wildcardMatch(std::wstring_view pattern, std::wstring_view name);

}  // namespace vornel
