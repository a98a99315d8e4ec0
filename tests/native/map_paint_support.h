// A clean map state for the drawing tests: a 800 × 600 client, colour table
// built, empty lists and store, zoom 1 around the plane origin.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "bathymetry/chart_tables.h"
#include "bathymetry/coastline.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "estimation/params.h"
#include "shell/app_state.h"
#include "shell/depth_colours.h"
#include "support/recording_canvas.h"

namespace vornel {

class MapPaintTest : public ::testing::Test {
protected:
    static constexpr int W = 800;
    static constexpr int H = 600;

    void SetUp() override {
        resetAppState();
        buildDepthColourTable(appState().depthColourTable);
        appState().mapView.zoom = 1;
        resetHarbourList();
        resetChartLists();
        resetM7000Lists();
        resetContourStore();
        resetEstimationParams();
        coastline().coastlinePointCount = 0;
    }
    void TearDown() override {
        resetContourStore();
        resetAppState();
        resetEstimationParams();
    }

    // Appends a line at `depth` through (east, north) pairs; returns its level.
    int addLine(float depth, std::vector<std::pair<float, float>> points) {
        ContourStore& store = contourStore();
        int level = 0;
        while (level < store.depthLevelCount && store.depthLevelList[level] != depth) ++level;
        if (level == store.depthLevelCount) store.depthLevelList[store.depthLevelCount++] = depth;
        bool first = true;
        for (auto [e, n] : points) {
            store.points[store.contourPointCount++] = ContourPoint{e, n, depth, level, first ? 1 : 0};
            first = false;
        }
        return level;
    }

    static Colour tableColour(int entry) {
        const int(&rgb)[3] = appState().depthColourTable[entry];
        return Colour{std::uint8_t(rgb[0]), std::uint8_t(rgb[1]), std::uint8_t(rgb[2])};
    }

    // Every call of `kind` with the pen it was drawn in.
    struct DrawnRun {
        Pen pen;
        std::vector<PixelPoint> points;
    };
    static std::vector<DrawnRun> drawn(const RecordingCanvas& canvas, RecordingCanvas::Kind kind) {
        std::vector<DrawnRun> runs;
        for (std::size_t i = 0; i < canvas.calls.size(); ++i) {
            if (canvas.calls[i].kind == kind) runs.push_back({canvas.penAt(i), canvas.calls[i].points});
        }
        return runs;
    }
    static std::vector<DrawnRun> polylines(const RecordingCanvas& c) {
        return drawn(c, RecordingCanvas::Kind::Polyline);
    }
    static std::vector<DrawnRun> lines(const RecordingCanvas& c) { return drawn(c, RecordingCanvas::Kind::Line); }
};

}  // namespace vornel
