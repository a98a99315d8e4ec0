#include "mapview/scale_bar.h"

#include <cwchar>

#include "mapview/pen_palette.h"

namespace vornel {

namespace {

constexpr int kMinBarPixels = 50;
constexpr int kMarginRight = 25;
constexpr int kBarAbove = 20;  // bar distance from the bottom edge
constexpr Font kScaleFont{12, 6, true};

}  // namespace

ScaleBarLength scaleBarLength(int zoom) {
    if (zoom < 1) zoom = 1;
    for (int decade = 10; decade <= 1000; decade *= 10) {
        for (int digit = 1; digit <= 9; ++digit) {
            const int metres = digit * decade;
            // Rounded to the nearest pixel.
            const int pixels = (zoom / 2 + metres) / zoom;
            if (pixels >= kMinBarPixels) return {metres, pixels};
        }
    }
    return {10000, (zoom / 2 + 10000) / zoom};
}

void drawScaleBar(Canvas& canvas, const MapState& map, int width, int height) {
    const MapView& view = map.mapView;
    const ScaleBarLength bar = scaleBarLength(view.zoom);
    const int e = bar.pixels;
    const int right = width - kMarginRight + view.panX;
    const int left = right - e;
    const int y = height - kBarAbove + view.panY;

    canvas.setPen(createIndexedPen(PenStyle::Solid, 2, 0, map.depthColourTable));
    canvas.line({left, y}, {right, y});
    canvas.setPen(createIndexedPen(PenStyle::Solid, 1, 0, map.depthColourTable));
    canvas.line({left, y - 5}, {left, y + 5});
    canvas.line({right, y - 5}, {right, y + 5});

    wchar_t label[16];
    std::swprintf(label, 16, L"%dm", bar.metres);
    canvas.textInFont(width - e / 2 - kMarginRight + view.panX, height - 22 + view.panY, label, Colour{0, 0, 0},
                      kScaleFont, TextAlign::Centre, TextBaseline::Bottom);
}

}  // namespace vornel
