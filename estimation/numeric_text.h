// Reading numbers from text the way the C library's atoi/atof (and the wide
// _wtoi/_wtof) do: leading white space skipped, the longest numeric prefix
// taken, 0 when there is none. Unlike the C functions these never overflow
// (integers saturate) and never yield NaN: "nan" and "inf" are not numbers
// here, so a typed word reads as 0 just as "abc" does.
#pragma once

#include <string>
#include <string_view>

namespace vornel {

int textToInt(std::string_view text);
double textToReal(std::string_view text);
// Wide text is read after foldFullWidth: a Japanese input method in
// full-width mode types 「２．５」 for 2.5.
int textToInt(std::wstring_view text);
double textToReal(std::wstring_view text);

// Full-width digits, decimal point (also 「。」 and 「｡」), signs, comma and
// the ideographic space as their ASCII forms; every other character as it is.
std::wstring foldFullWidth(std::wstring_view text);

// Whether `text` holds digits that are not part of the number it starts
// with: a second number (「2,5」, 「1 5」, 「2.5.1」) or a number after a word
// (「約2.5」), which reading the text would drop or read as 0. A trailing unit
// (「1.5m」, 「10秒」) holds none.
bool hasStrayDigits(std::wstring_view text);

}  // namespace vornel
