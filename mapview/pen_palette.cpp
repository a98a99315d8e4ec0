#include "mapview/pen_palette.h"

#include <algorithm>

namespace vornel {

namespace {

struct PaletteEntry {
    int index;
    Colour colour;
};

// The named colours; anything not listed (7 among them) is white.
constexpr PaletteEntry kNamedColours[] = {
    {0, {0, 0, 0}},        {1, {0, 0, 255}},    {2, {0, 255, 0}},      {3, {0, 255, 255}},    {4, {255, 0, 0}},
    {5, {255, 0, 255}},    {6, {255, 255, 0}},  {8, {0, 128, 255}},    {9, {192, 255, 0}},    {10, {255, 128, 0}},
    {11, {128, 128, 128}}, {12, {255, 0, 128}}, {13, {116, 80, 48}},   {20, {255, 192, 192}}, {21, {0, 192, 0}},
    {22, {0, 0, 128}},     {23, {192, 192, 0}}, {24, {192, 192, 192}}, {30, {196, 0, 0}},     {31, {0, 0, 196}},
    {32, {0, 196, 0}},     {33, {128, 128, 0}},
};

constexpr Colour kWhite{255, 255, 255};

std::uint8_t channel(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

}  // namespace

Colour paletteColour(int index, const DepthColourTable& depthColours) {
    for (const PaletteEntry& entry : kNamedColours) {
        if (entry.index == index) return entry.colour;
    }
    if (index >= 100 && index <= 110) {
        // A grey ramp from white down in steps of 20.
        const auto g = channel(255 - 20 * (index - 100));
        return {g, g, g};
    }
    if (index >= kPaletteDepthFirst && index < kPaletteDepthFirst + 256) {
        const int(&rgb)[3] = depthColours[index - kPaletteDepthFirst];
        return {channel(rgb[0]), channel(rgb[1]), channel(rgb[2])};
    }
    return kWhite;
}

Pen createIndexedPen(PenStyle style, int width, int index, const DepthColourTable& depthColours) {
    return Pen{paletteColour(index, depthColours), width, style};
}

}  // namespace vornel
