// The indexed pens of every map drawing: a fixed palette of marker, source and
// grey colours, plus the depth colour ramp at 200 ... 455.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_state.h"

namespace vornel {

// Colour indices of the data sources (harbours, 1:50,000, 1:200,000, M7000).
inline constexpr int kSourceColourIndex[4] = {30, 31, 32, 33};
inline constexpr int kPaletteRed = 4;
inline constexpr int kPaletteBrown = 13;
inline constexpr int kPaletteCyan = 3;
inline constexpr int kPaletteGreen = 2;
inline constexpr int kPaletteMagenta = 5;
inline constexpr int kPaletteDepthFirst = 200;  // DepthColourTable entry 0

// The palette colour of `index`; indices outside the palette give white.
// 200 ... 455 are the entries of `depthColours`.
Colour paletteColour(int index, const DepthColourTable& depthColours);

// A pen of `style` and `width` pixels in the palette colour of `index`.
Pen createIndexedPen(PenStyle style, int width, int index, const DepthColourTable& depthColours);

}  // namespace vornel
