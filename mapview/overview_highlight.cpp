#include "mapview/overview_highlight.h"

#include "mapview/overview_paint.h"
#include "mapview/pen_palette.h"

namespace vornel {

namespace {

constexpr int kMenuIdBase[4] = {300, 600, 900, 1200};

OverviewHighlight remembered;

// Draws entry (kind, index) with a width-1 pen of `colourIndex`, if it exists.
void outlineEntry(Canvas& canvas, const MapState& map, int width, int height, int kind, int index, int colourIndex) {
    EntryExtent extent;
    if (kind < 0 || kind > 3 || !overviewEntry(kind, index, extent)) return;
    canvas.setPen(createIndexedPen(PenStyle::Solid, 1, colourIndex, map.depthColourTable));
    drawEntryExtent(canvas, map.mapView, extent, width, height);
}

void restoreRemembered(Canvas& canvas, const MapState& map, int width, int height) {
    const int kind = remembered.kind;
    if (kind >= 0 && kind <= 3)
        outlineEntry(canvas, map, width, height, kind, remembered.index, kSourceColourIndex[kind]);
}

}  // namespace

OverviewHighlight& overviewHighlight() {
    return remembered;
}

void resetOverviewHighlight() {
    remembered = OverviewHighlight{};
}

bool menuItemOverviewEntry(int id, int& kind, int& index) {
    for (int k = 0; k < 4; ++k) {
        const int i = id - kMenuIdBase[k];
        if (i >= 0 && i < overviewEntryCount(k)) {
            kind = k;
            index = i;
            return true;
        }
    }
    kind = -1;
    index = -1;
    return false;
}

void highlightOverviewItem(Canvas& canvas, const MapState& map, int width, int height, int kind, int index) {
    restoreRemembered(canvas, map, width, height);
    // Shown even when the source itself is switched off in the overview.
    if (kind >= 0 && kind <= 3) outlineEntry(canvas, map, width, height, kind, index, kPaletteCyan);
    remembered.kind = kind;
    remembered.index = index;
}

void clearOverviewHighlight(Canvas& canvas, const MapState& map, int width, int height) {
    restoreRemembered(canvas, map, width, height);
    remembered.kind = -1;
}

}  // namespace vornel
