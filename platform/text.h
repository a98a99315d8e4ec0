// Text helpers shared by every subsystem.
//
// The program's own texts (captions, messages, labels) are written in the
// sources as UTF-8 and widened with `widen` where they meet the user
// interface. Data-file text stays 8-bit Shift_JIS (code page 932) and goes
// through platform().toCp932 / fromCp932 instead.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vornel {

// UTF-8 (the program's own literals) to wide text.
std::wstring widen(std::string_view utf8);
// Wide text to UTF-8 (native file names, logs of tests).
std::string toUtf8(std::wstring_view wide);

// A message template of the program's own (UTF-8) widened, each "%s" in turn
// replaced by the next of `values`: paths and texts typed by the user go in
// as they are, and a "%s" inside a value stays (one pass over the template).
std::wstring fillIn(std::string_view utf8Template, std::initializer_list<std::wstring_view> values);

// printf into a std::string / std::wstring, never overflowing.
std::string format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
std::wstring wformat(const wchar_t* fmt, ...);

// Copies `text` into a fixed char field of `capacity` bytes (terminator
// included), cutting it at capacity - 1 bytes. Never writes past the field.
void copyField(char* field, std::size_t capacity, std::string_view text);
template <std::size_t N>
void copyField(char (&field)[N], std::string_view text) {
    copyField(field, N, text);
}

}  // namespace vornel
