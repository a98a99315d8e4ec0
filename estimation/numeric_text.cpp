#include "estimation/numeric_text.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace vornel {

namespace {

bool isCSpace(unsigned c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(unsigned c) {
    return c >= '0' && c <= '9';
}

// The numeric prefix of `text` as plain ASCII: sign, digits, an optional
// fraction and exponent. Works on bytes and on wide characters alike.
// `end` (when given) receives where the prefix ends in `text`.
template <typename Char>
std::string numericPrefix(std::basic_string_view<Char> text, bool allowFraction, std::size_t* end = nullptr) {
    std::size_t i = 0;
    if (end) *end = 0;
    auto at = [&](std::size_t k) -> unsigned { return k < text.size() ? static_cast<unsigned>(text[k]) : 0u; };
    while (i < text.size() && isCSpace(at(i))) ++i;
    std::string out;
    if (at(i) == '+' || at(i) == '-') out.push_back(static_cast<char>(at(i++)));
    std::size_t digits = 0;
    while (isDigit(at(i))) {
        out.push_back(static_cast<char>(at(i++)));
        ++digits;
    }
    if (!allowFraction) {
        if (end && digits) *end = i;
        return digits ? out : std::string();
    }
    if (at(i) == '.') {
        std::size_t j = i + 1;
        std::string fraction = ".";
        while (isDigit(at(j))) {
            fraction.push_back(static_cast<char>(at(j++)));
            ++digits;
        }
        if (digits == 0) return std::string();
        out += fraction;
        i = j;
    }
    if (digits == 0) return std::string();
    if (at(i) == 'e' || at(i) == 'E') {
        // An exponent counts only when digits follow it ("1e" reads as 1).
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (at(j) == '+' || at(j) == '-') exponent.push_back(static_cast<char>(at(j++)));
        if (isDigit(at(j))) {
            while (isDigit(at(j))) exponent.push_back(static_cast<char>(at(j++)));
            out += exponent;
            i = j;
        }
    }
    if (end) *end = i;
    return out;
}

int prefixToInt(const std::string& prefix) {
    if (prefix.empty()) return 0;
    long long value = 0;
    std::size_t i = 0;
    const bool negative = prefix[0] == '-';
    if (prefix[0] == '+' || prefix[0] == '-') ++i;
    for (; i < prefix.size(); ++i) {
        value = value * 10 + (prefix[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;  // saturates below
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

double prefixToReal(const std::string& prefix) {
    if (prefix.empty()) return 0.0;
    // The prefix holds only sign, digits, '.' and the exponent, so strtod in
    // the C numeric locale (the program never changes it) reads all of it.
    return std::strtod(prefix.c_str(), nullptr);
}

}  // namespace

int textToInt(std::string_view text) {
    return prefixToInt(numericPrefix(text, false));
}
double textToReal(std::string_view text) {
    return prefixToReal(numericPrefix(text, true));
}
std::wstring foldFullWidth(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
        if (c >= L'０' && c <= L'９') c = static_cast<wchar_t>(L'0' + (c - L'０'));
        // The full-width point, and the ideographic full stop that the period
        // key gives with the input method on (「２。５」).
        else if (c == L'．' || c == L'\u3002' || c == L'\uFF61')
            c = L'.';
        else if (c == L'－' || c == L'−') c = L'-';  // full-width hyphen-minus, minus sign
        else if (c == L'＋') c = L'+';
        else if (c == L'，') c = L',';
        else if (c == L'\u3000') c = L' ';  // ideographic space
    }
    return folded;
}

int textToInt(std::wstring_view text) {
    const std::wstring folded = foldFullWidth(text);
    return prefixToInt(numericPrefix(std::wstring_view(folded), false));
}
double textToReal(std::wstring_view text) {
    const std::wstring folded = foldFullWidth(text);
    return prefixToReal(numericPrefix(std::wstring_view(folded), true));
}

bool hasStrayDigits(std::wstring_view text) {
    const std::wstring folded = foldFullWidth(text);
    std::size_t end = 0;
    numericPrefix(std::wstring_view(folded), true, &end);
    for (std::size_t i = end; i < folded.size(); ++i)
        if (isDigit(static_cast<unsigned>(folded[i]))) return true;
    return false;
}

}  // namespace vornel
