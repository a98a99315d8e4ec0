// The depth levels of an M7000 load.
//
// An M7000 depth is a double (read from the table or a text column) and is
// compared with the levels stored as float, widened to double: the first
// level within 0.01 is the depth's level, otherwise the depth is appended as
// float. The contour files compare in float instead, so they keep their own
// lookup (depth_levels.h); the two give different answers near the tolerance.
#pragma once

namespace vornel {

// Empties the level list of the contour store for a new load.
void resetM7000Levels();

// The index of the first level whose value differs from `depth` by less than
// 0.01, appending the depth when none does. -1 when the list already holds
// its 10,000 levels and none matches.
//
// A data set may hold thousands of distinct depths, so the levels are kept in
// an index sorted by value and only the few within reach of the depth are
// compared; the last answer is kept for the runs of one depth.
int findM7000DepthLevel(double depth);

}  // namespace vornel
