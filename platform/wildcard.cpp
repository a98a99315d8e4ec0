#include "platform/wildcard.h"

namespace vornel {

bool wildcardMatch(std::wstring_view pattern, std::wstring_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == L'*') {
        for (std::size_t i = 0; i <= name.size(); ++i)
            if (wildcardMatch(pattern.substr(1), name.substr(i))) return true;
        return false;
    }
    if (pattern[0] == L'?') {
        if (!name.empty() && wildcardMatch(pattern.substr(1), name.substr(1))) return true;
        // At the end of the name or before a dot '?' may match nothing.
        if (name.empty() || name[0] == L'.') return wildcardMatch(pattern.substr(1), name);
        return false;
    }
    if (name.empty()) return false;
    auto lower = [](wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    if (lower(pattern[0]) != lower(name[0])) return false;
    return wildcardMatch(pattern.substr(1), name.substr(1));
}

}  // namespace vornel
