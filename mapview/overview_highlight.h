// The extent of the data entry under the mouse in a menu, drawn straight onto
// the overview while the menu is open. The next full paint removes it.
#pragma once

#include "mapview/canvas.h"
#include "mapview/map_state.h"

namespace vornel {

// The entry outlined on the overview until the next full paint: a data
// source (kind −1: none) and the entry's index in its list. One for the run.
struct OverviewHighlight {
    int kind = -1;
    int index = -1;
};
OverviewHighlight& overviewHighlight();
// Back to no highlight (tests, and with the rest of the application state).
void resetOverviewHighlight();

// The data entry of a menu item id (300 + harbour, 600 + 1:50,000 chart,
// 900 + 1:200,000 chart, 1200 + M7000 data set, within each list's count):
// true with kind and index, else false with both −1.
bool menuItemOverviewEntry(int id, int& kind, int& index);

// Redraws the remembered highlight in its source colour, outlines the entry
// (kind, index) in cyan when it is one, and remembers it. Kind −1: nothing new.
void highlightOverviewItem(Canvas& canvas, const MapState& map, int width, int height, int kind, int index);

// Redraws the remembered highlight in its source colour and forgets it.
void clearOverviewHighlight(Canvas& canvas, const MapState& map, int width, int height);

}  // namespace vornel
