// The colour ramp of contour depths: 256 entries from dark blue through cyan,
// green, yellow and red to magenta.
#pragma once

namespace vornel {

void buildDepthColourTable(int table[256][3]);

}  // namespace vornel
