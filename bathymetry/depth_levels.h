// The depth levels of the contour store: the distinct contour depths in order
// of first appearance, and their order by depth for colouring and drawing.
#pragma once

namespace vornel {

// Empties the level list of the contour store before a rebuild.
void resetDepthLevels();

// The index of the first level whose float difference from `depth` is below
// 0.01, appending `depth` as a new level when there is none. Returns -1 when
// the list already holds its 10,000 levels and none matches.
//
// Contours come in runs of one depth and a data set may hold thousands of
// distinct depths, so the answer for the last depth is kept and other depths
// are looked up in an index of the levels sorted by value instead of a scan.
int findDepthLevel(float depth);

// Rebuilds depthLevelOrder: entry k is the index of the k-th smallest level,
// equal values keeping their list order.
void sortDepthLevels();

}  // namespace vornel
