#include "mapview/panned_lines.h"

namespace vornel {

void drawRectOutline(Canvas& canvas, const MapView& view, int x1, int y1, int x2, int y2) {
    const int dx = view.panX;
    const int dy = view.panY;
    const PixelPoint outline[5] = {
        {x1 + dx, y1 + dy}, {x2 + dx, y1 + dy}, {x2 + dx, y2 + dy}, {x1 + dx, y2 + dy}, {x1 + dx, y1 + dy}};
    canvas.polyline(outline, 5);
}

void drawSegment(Canvas& canvas, const MapView& view, int x1, int y1, int x2, int y2) {
    canvas.line({x1 + view.panX, y1 + view.panY}, {x2 + view.panX, y2 + view.panY});
}

}  // namespace vornel
