// The range checks made before a run of the solver.
#pragma once

#include <string>
#include <string_view>

namespace vornel {

// The longest title the solver takes, in bytes of its 8-bit form.
inline constexpr std::size_t kMaxTitleBytes = 100;

// Whether the 8-bit (Shift_JIS) title can stand inside a file name in the
// program folder: no \ / : * ? " < > |, no control character, no ".." path
// piece. Double-byte characters are skipped whole, so a trail byte equal to
// '\\' or '|' (as in ソ, 0x83 0x5C) is not taken for a separator.
bool isUsableTitle(std::string_view title);

// The checks of a run against EstimationParams and the run inputs; returns the
// collected message lines in check order, empty when everything passes. Only
// upper bounds are tested: every not-set value lies above its bound.
std::wstring checkRunInputs(std::string_view title, double theta, double height, double period, double direction);

}  // namespace vornel
