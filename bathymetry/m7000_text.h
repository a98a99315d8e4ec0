// Loading an M7000 text data set: one contour point per line in fixed
// columns (depth 10–16, latitude 17–25, longitude 26–35, line number 50–57);
// consecutive lines with the same line number form one contour line.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vornel {

// Loads the file into the contour store (through finishM7000Load).
// originLat below 0.1 means no origin: the mean of the points is used.
// False, with the store emptied, when the file cannot be opened.
bool loadM7000Text(WindowRef owner, const std::wstring& path, double originLat, double originLon);

}  // namespace vornel
