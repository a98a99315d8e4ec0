// The overview: coastline, extents by source, selected entries, and the
// highlight that a menu hover draws and takes back.
#include <cstring>

#include "map_paint_support.h"
#include "mapview/map_paint.h"
#include "mapview/overview_highlight.h"
#include "mapview/view_transform.h"
#include "shell/map_marks.h"

namespace vornel {
namespace {

class MapOverview : public MapPaintTest {
protected:
    void SetUp() override {
        MapPaintTest::SetUp();
        appState().viewMode = VIEW_OVERVIEW;
        appState().mapView.zoom = 256;
        HarbourList& harbours = harbourList();
        harbours.harbourCount = 2;
        setExtent(harbours.records[0], 42.6, 141.5, 42.5, 141.7);
        setExtent(harbours.records[1], 35.0, 135.0, 34.8, 135.3);
        harbours.records[1].selected = 1;
        ChartList& charts = chart50kList();
        charts.count = 2;
        setExtent(charts.records[0], 38.0, 139.0, 37.8, 139.3);
        setExtent(charts.records[1], 36.0, 140.5, 35.8, 140.8);
    }

    template <typename Record>
    static void setExtent(Record& r, double north, double west, double south, double east) {
        r.northLat = north;
        r.westLon = west;
        r.southLat = south;
        r.eastLon = east;
    }

    template <typename Record>
    static std::vector<PixelPoint> outline(const Record& r) {
        const MapView& v = appState().mapView;
        const PixelPoint a = overviewToPixelUnpanned(r.northLat, r.westLon, v.zoom, W, H);
        const PixelPoint b = overviewToPixelUnpanned(r.southLat, r.eastLon, v.zoom, W, H);
        const int dx = v.panX, dy = v.panY;
        return {{a.x + dx, a.y + dy},
                {b.x + dx, a.y + dy},
                {b.x + dx, b.y + dy},
                {a.x + dx, b.y + dy},
                {a.x + dx, a.y + dy}};
    }
};

TEST_F(MapOverview, CoastlineThenExtentsOfShownSourcesWithSelectedTwoPixelsWide) {
    Coastline& coast = coastline();
    const float pts[][2] = {{40.0f, 140.0f}, {40.5f, 140.2f}, {41.0f, 140.0f}, {33.0f, 130.0f}, {33.5f, 130.5f}};
    for (int i = 0; i < 5; ++i) coast.points[i] = {pts[i][0], pts[i][1], i == 0 || i == 3 ? 1 : 0, 1};
    coast.coastlinePointCount = 5;
    appState().mapView.panX = 7;
    appState().mapView.panY = -4;
    chart50kList().records[0].selected = 1;  // its source is off: nothing at all

    RecordingCanvas canvas;
    paintMap(canvas, appState(), markedPoints(estimationParams()), W, H);
    const auto runs = polylines(canvas);
    ASSERT_EQ(runs.size(), 4u);
    const MapView& v = appState().mapView;
    EXPECT_EQ(runs[0].pen, (Pen{{0, 0, 0}, 1, PenStyle::Solid}));
    EXPECT_EQ(runs[0].points,
              (std::vector<PixelPoint>{overviewToPixel(40.0, 140.0, v, W, H), overviewToPixel(40.5f, 140.2f, v, W, H),
                                       overviewToPixel(41.0, 140.0, v, W, H)}));
    EXPECT_EQ(runs[1].points.size(), 2u);
    const Colour darkRed{196, 0, 0};
    EXPECT_EQ(runs[2].pen, (Pen{darkRed, 1, PenStyle::Solid}));
    EXPECT_EQ(runs[2].points, outline(harbourList().records[0]));
    EXPECT_EQ(runs[3].pen, (Pen{darkRed, 2, PenStyle::Solid}));
    EXPECT_EQ(runs[3].points, outline(harbourList().records[1]));

    // With the 1:50,000 source on, its entries follow in dark blue, and the
    // harbours go back to width 1 after the selected one.
    appState().overviewSourceFlags[1] = 1;
    RecordingCanvas both;
    paintMap(both, appState(), markedPoints(estimationParams()), W, H);
    const auto shown = polylines(both);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[4].pen, (Pen{{0, 0, 196}, 2, PenStyle::Solid}));
    EXPECT_EQ(shown[5].pen, (Pen{{0, 0, 196}, 1, PenStyle::Solid}));
    EXPECT_EQ(shown[5].points, outline(chart50kList().records[1]));
}

TEST_F(MapOverview, MenuIdsMapToEntriesWithinTheListCounts) {
    int kind = 0, index = 0;
    EXPECT_TRUE(menuItemOverviewEntry(301, kind, index));
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(menuItemOverviewEntry(600, kind, index));
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(index, 0);
    for (int id : {302, 602, 900, 1200, 299, 130, 65535}) {
        EXPECT_FALSE(menuItemOverviewEntry(id, kind, index)) << id;
        EXPECT_EQ(kind, -1);
        EXPECT_EQ(index, -1);
    }
}

TEST_F(MapOverview, HighlightIsCyanAndTheNextHoverRestoresItInTheSourceColour) {
    const Colour cyan{0, 255, 255}, darkBlue{0, 0, 196}, darkRed{196, 0, 0};
    RecordingCanvas first;
    // A chart of a source that is switched off still lights up.
    highlightOverviewItem(first, appState(), W, H, 1, 0);
    auto runs = polylines(first);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].pen, (Pen{cyan, 1, PenStyle::Solid}));
    EXPECT_EQ(runs[0].points, outline(chart50kList().records[0]));
    EXPECT_EQ(overviewHighlight().kind, 1);

    RecordingCanvas second;
    highlightOverviewItem(second, appState(), W, H, 0, 1);
    runs = polylines(second);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].pen, (Pen{darkBlue, 1, PenStyle::Solid}));
    EXPECT_EQ(runs[0].points, outline(chart50kList().records[0]));
    EXPECT_EQ(runs[1].pen.colour, cyan);
    EXPECT_EQ(runs[1].points, outline(harbourList().records[1]));

    // An item that is no data entry: restore only.
    RecordingCanvas third;
    highlightOverviewItem(third, appState(), W, H, -1, -1);
    runs = polylines(third);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].pen, (Pen{darkRed, 1, PenStyle::Solid}));
    EXPECT_EQ(overviewHighlight().kind, -1);

    RecordingCanvas fourth;
    clearOverviewHighlight(fourth, appState(), W, H);
    EXPECT_TRUE(fourth.calls.empty());

    // Clearing restores once; a full paint forgets the highlight.
    RecordingCanvas fifth;
    highlightOverviewItem(fifth, appState(), W, H, 1, 1);
    clearOverviewHighlight(fifth, appState(), W, H);
    runs = polylines(fifth);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].pen.colour, darkBlue);
    highlightOverviewItem(fifth, appState(), W, H, 1, 1);
    paintMap(fifth, appState(), markedPoints(estimationParams()), W, H);
    EXPECT_EQ(overviewHighlight().kind, -1);
    // An index beyond its list draws nothing.
    RecordingCanvas sixth;
    highlightOverviewItem(sixth, appState(), W, H, 1, 5);
    EXPECT_TRUE(polylines(sixth).empty());
}

}  // namespace
}  // namespace vornel
