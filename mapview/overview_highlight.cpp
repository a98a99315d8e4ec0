#include "mapview/overview_highlight.h"

#include "mapview/overview_paint.h"
#include "mapview/pen_palette.h"
#include "shell/app_state.h"

namespace vornel {

namespace {

constexpr int kMenuIdBase[4] = {300, 600, 900, 1200};

// Draws entry (kind, index) with a width-1 pen of `colourIndex`, if it exists.
void outlineEntry(Canvas& canvas, int width, int height, int kind, int index, int colourIndex) {
    EntryExtent extent;
    if (kind < 0 || kind > 3 || !overviewEntry(kind, index, extent)) return;
    canvas.setPen(createIndexedPen(PenStyle::Solid, 1, colourIndex));
    drawEntryExtent(canvas, extent, width, height);
}

void restoreRemembered(Canvas& canvas, int width, int height) {
    const AppState& app = appState();
    const int kind = app.overviewHighlightKind;
    if (kind >= 0 && kind <= 3)
        outlineEntry(canvas, width, height, kind, app.overviewHighlightIndex, kSourceColourIndex[kind]);
}

}  // namespace

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

void highlightOverviewItem(Canvas& canvas, int width, int height, int kind, int index) {
    restoreRemembered(canvas, width, height);
    // Shown even when the source itself is switched off in the overview.
    if (kind >= 0 && kind <= 3) outlineEntry(canvas, width, height, kind, index, kPaletteCyan);
    AppState& app = appState();
    app.overviewHighlightKind = kind;
    app.overviewHighlightIndex = index;
}

void clearOverviewHighlight(Canvas& canvas, int width, int height) {
    restoreRemembered(canvas, width, height);
    appState().overviewHighlightKind = -1;
}

}  // namespace vornel
