// The map of the real main window under Wine, on the sample data: the
// overview, a harbour's contour view with the four markers, the M7000 view's
// level filter, the overview highlight, and the time of a whole paint.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "bathymetry/chart_tables.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/harbour_list.h"
#include "estimation/params.h"
#include "mapview/contour_paint.h"
#include "mapview/overview_highlight.h"
#include "mapview/overview_highlight_win32.h"
#include "mapview/pen_palette.h"
#include "mapview/view_transform.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

constexpr int kClientWidth = 1000;
constexpr int kClientHeight = 700;

// The source folder as Wine sees it: Z: plus the Unix path with backslashes.
std::wstring sourceFolder() {
    const char* unix = std::getenv("VORNEL_SOURCE_DIR");
    if (!unix) return std::wstring();
    std::wstring path = L"Z:";
    for (const char* c = unix; *c; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

// Copies the folder tree `from` into `to` (created as needed).
void copyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            copyTree(from + L"\\" + name, to + L"\\" + name);
        } else {
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

Colour pixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

double secondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return double((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
}

struct PaintTime {
    double wall = 0.0;
    double cpu = 0.0;  // of this process: the figure that a busy machine does not inflate
};

// Invalidation to the end of WM_PAINT (UpdateWindow paints synchronously).
PaintTime timedRepaint(HWND window) {
    LARGE_INTEGER start;
    const double cpuStart = processCpuSeconds();
    QueryPerformanceCounter(&start);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    GdiFlush();
    return {secondsSince(start), processCpuSeconds() - cpuStart};
}

class MapDrawing : public ::testing::Test {
protected:
    void (*realOpen_)(HWND) = nullptr;
    void SetUp() override {
        const std::wstring source = sourceFolder();
        ASSERT_FALSE(source.empty()) << "VORNEL_SOURCE_DIR is not set";
        const std::wstring run = test::enterRunFolder(L"map-drawing");
        copyTree(source + L"\\sample", run);
        resetAppState();
        resetEstimationParams();
        resetContourStore();
        main_ = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
        ASSERT_NE(main_, nullptr);
        // These tests look at the map alone: no parameter dialog beside the
        // contour views (it is modal and would hold this thread).
        realOpen_ = dialogHooks().openParameterDialog;
        dialogHooks().openParameterDialog = nullptr;
        RECT want{0, 0, kClientWidth, kClientHeight};
        AdjustWindowRect(&want, WS_OVERLAPPEDWINDOW, TRUE);
        SetWindowPos(main_, nullptr, 0, 0, want.right - want.left, want.bottom - want.top, SWP_NOZORDER);
        test::pumpMessages(300);
        RECT client;
        GetClientRect(main_, &client);
        width_ = client.right;
        height_ = client.bottom;
    }
    void TearDown() override {
        dialogHooks().openParameterDialog = realOpen_;
        if (main_) DestroyWindow(main_);
        test::pumpMessages(50);
        resetContourStore();
        resetEstimationParams();
        resetAppState();
    }

    void repaint() {
        InvalidateRect(main_, nullptr, TRUE);
        UpdateWindow(main_);
        test::pumpMessages(100);
    }

    // Among vertices of `depth` lines inside the window, the share drawn in `colour`.
    double shareOfVerticesIn(float depth, Colour colour, int samples) {
        const ContourStore& store = contourStore();
        const MapView& view = appState().mapView;
        int looked = 0, matched = 0;
        for (int i = 1; i + 1 < store.contourPointCount && looked < samples; i += 7) {
            const ContourPoint& p = store.points[i];
            if (p.depth != depth || store.points[i + 1].lineStart % 10 == 1) continue;
            const PixelPoint px = contourToPixel(p.east, p.north, view, store.dataCentre, width_, height_);
            if (px.x < 20 || px.y < 20 || px.x > width_ - 20 || px.y > height_ - 40) continue;
            ++looked;
            matched += pixelAt(main_, px.x, px.y) == colour;
        }
        return looked ? double(matched) / looked : 0.0;
    }

    HWND main_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

TEST_F(MapDrawing, OverviewShowsTheCoastAndTheHarbourExtents) {
    ASSERT_EQ(harbourList().harbourCount, 10);
    repaint();
    test::saveWindowImage(main_, L"map-overview");
    // The top edge of every harbour extent is dark red; the middle of Japan's
    // sea to the south of Honshu stays background.
    const MapView& view = appState().mapView;
    int inside = 0;
    for (int i = 0; i < 10; ++i) {
        const HarbourRecord& h = harbourList().records[i];
        const PixelPoint nw = overviewToPixel(h.northLat, h.westLon, view, width_, height_);
        const PixelPoint se = overviewToPixel(h.southLat, h.eastLon, view, width_, height_);
        const int x = (nw.x + se.x) / 2;
        if (x < 0 || x >= width_ || nw.y < 0 || se.y >= height_) continue;  // Naha lies south of the window
        ++inside;
        EXPECT_EQ(pixelAt(main_, x, nw.y), (Colour{196, 0, 0})) << i;
    }
    EXPECT_GE(inside, 8);

    // Hovering the 1:50,000 chart 0 (its source is off) outlines it in cyan;
    // moving on to a non-entry item redraws it dark blue.
    ASSERT_GT(chart50kList().count, 0);
    const ChartRecord& chart = chart50kList().records[0];
    const PixelPoint nw = overviewToPixel(chart.northLat, chart.westLon, view, width_, height_);
    const PixelPoint se = overviewToPixel(chart.southLat, chart.eastLon, view, width_, height_);
    SendMessageW(main_, WM_MENUSELECT, MAKEWPARAM(600, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(main_)));
    EXPECT_EQ(pixelAt(main_, nw.x, (nw.y + se.y) / 2), (Colour{0, 255, 255}));
    EXPECT_EQ(overviewHighlight().kind, 1);
    SendMessageW(main_, WM_MENUSELECT, MAKEWPARAM(130, MF_STRING), reinterpret_cast<LPARAM>(GetMenu(main_)));
    EXPECT_EQ(pixelAt(main_, nw.x, (nw.y + se.y) / 2), (Colour{0, 0, 196}));
    EXPECT_EQ(overviewHighlight().kind, -1);
}

TEST_F(MapDrawing, HarbourContoursMarkersAndTheM7000Filter) {
    HarbourRecord& kashima = harbourList().records[3];
    ASSERT_STREQ(kashima.name, "\x8e\xad\x93\x87");  // 鹿島 in Shift_JIS
    kashima.selected = 1;
    appState().viewMode = VIEW_CONTOUR;
    appState().mapView.zoom = 32;
    const double firstPaint = timedRepaint(main_).wall;
    test::pumpMessages(100);
    ASSERT_GT(contourStore().contourPointCount, 0);
    std::printf("[ timing ] harbour contour view, %d points: first paint with load %.3f s, repaint %.3f s\n",
                contourStore().contourPointCount, firstPaint, timedRepaint(main_).wall);
    test::saveWindowImage(main_, L"map-harbour-contours");

    // 50 m lines are ramp entry 20, 10 m lines entry 4.
    EXPECT_GE(shareOfVerticesIn(50.0f, paletteColour(220, appState().depthColourTable), 30), 0.8);
    EXPECT_GE(shareOfVerticesIn(10.0f, paletteColour(204, appState().depthColourTable), 30), 0.8);

    // The four points around the data centre.
    const DataCentre centre = contourStore().dataCentre;
    EstimationParams& params = estimationParams();
    auto place = [&](EstimationPoint& p, double de, double dn) {
        p.lat = 36.0;
        p.lon = 140.6;
        p.east = centre.centreEast + de;
        p.north = centre.centreNorth + dn;
    };
    place(params.quasiOffshorePoint, 4000, -3000);
    place(params.diffractionPoint, -1500, 1000);
    params.shoreNormal = 120.0;
    place(params.contourPoint, 2500, 3500);
    params.thetaCon = 90.0;
    place(params.offshorePoint, 6000, 5000);
    repaint();
    test::saveWindowImage(main_, L"map-harbour-markers");
    const MapView& view = appState().mapView;
    const PixelPoint quasi =
        pointToPixel(params.quasiOffshorePoint.east, params.quasiOffshorePoint.north, view, centre, width_, height_);
    const PixelPoint blue =
        pointToPixel(params.offshorePoint.east, params.offshorePoint.north, view, centre, width_, height_);
    const PixelPoint magenta =
        pointToPixel(params.contourPoint.east, params.contourPoint.north, view, centre, width_, height_);
    // The grey line starts on the centre of the red cross, drawn over it.
    EXPECT_EQ(pixelAt(main_, quasi.x, quasi.y), (Colour{135, 135, 135}));
    EXPECT_EQ(pixelAt(main_, quasi.x + 6, quasi.y + 6), (Colour{255, 0, 0}));
    EXPECT_EQ(pixelAt(main_, quasi.x - 6, quasi.y + 6), (Colour{255, 0, 0}));
    EXPECT_EQ(pixelAt(main_, blue.x + 7, blue.y), (Colour{0, 0, 255}));
    EXPECT_EQ(pixelAt(main_, blue.x, blue.y - 7), (Colour{0, 0, 255}));
    EXPECT_EQ(pixelAt(main_, magenta.x - 7, magenta.y), (Colour{255, 0, 255}));

    // The same store in the M7000 view at zoom 64 shows only multiples of
    // 10 m: the 5 m lines go, the 10 m lines stay.
    appState().viewMode = VIEW_M7000;
    appState().mapView.zoom = 64;
    repaint();
    test::saveWindowImage(main_, L"map-m7000-view-filter");
    EXPECT_EQ(shareOfVerticesIn(5.0f, paletteColour(202, appState().depthColourTable), 30), 0.0);
    EXPECT_GE(shareOfVerticesIn(10.0f, paletteColour(204, appState().depthColourTable), 30), 0.8);

    // Each drag step invalidates with erasing: between the erase and the
    // paint the window must still show the map, not a blank frame (the paint
    // draws off screen and copies once).
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    GdiFlush();
    EXPECT_GE(shareOfVerticesIn(10.0f, paletteColour(204, appState().depthColourTable), 30), 0.8)
        << "the erase blanked the map";
    UpdateWindow(main_);
    EXPECT_GE(shareOfVerticesIn(10.0f, paletteColour(204, appState().depthColourTable), 30), 0.8);
}

TEST_F(MapDrawing, ChartContoursRunThroughTheRampAndTurnBrownFrom900m) {
    ChartList& charts = chart200kList();
    int kashimaNada = -1;
    for (int i = 0; i < charts.count; ++i)
        if (std::string(charts.records[i].code).rfind("6366", 0) == 0) kashimaNada = i;
    ASSERT_GE(kashimaNada, 0);
    charts.records[kashimaNada].selected = 1;
    appState().viewMode = VIEW_CONTOUR;
    appState().mapView.zoom = 128;
    repaint();
    ASSERT_GT(contourStore().contourPointCount, 0);
    test::saveWindowImage(main_, L"map-chart200k-contours");
    EXPECT_GE(shareOfVerticesIn(1000.0f, Colour{116, 80, 48}, 30), 0.8);
    EXPECT_GE(shareOfVerticesIn(200.0f, paletteColour(280, appState().depthColourTable), 30), 0.8);
    EXPECT_GE(shareOfVerticesIn(500.0f, paletteColour(400, appState().depthColourTable), 30), 0.8);
}

// 5,000,000 points of meandering lines, all inside the window, 200 lines per
// depth: the time of a whole paint from invalidation to its end; then the
// first 50,000 of them, a harbour of typical size.
TEST_F(MapDrawing, WholePaintOfAFullStore) {
    ContourStore& store = contourStore();
    resetContourStore();
    std::mt19937 random(7);
    std::uniform_real_distribution<float> across(-7000.0f, 7000.0f);
    std::uniform_real_distribution<float> step(-40.0f, 40.0f);
    constexpr int kPointsPerLine = 100;
    int n = 0, line = 0;
    while (n + kPointsPerLine <= kContourStoreCapacity) {
        const float depth = 2.0f + 5.0f * float((line / 200) % 120);
        float e = across(random), north = across(random) * 0.7f;
        for (int k = 0; k < kPointsPerLine; ++k, ++n) {
            store.points[n] = ContourPoint{e, north, depth, 0, k == 0 ? 1 : 0};
            e += step(random);
            north += step(random);
        }
        ++line;
    }
    store.contourPointCount = n;
    store.dataCentre = {0.0f, 0.0f};
    appState().viewMode = VIEW_M7000;  // no reload from the selection
    appState().mapView.zoom = 16;      // every level shown; the area spans about 900 × 600 pixels
    auto bestOfThree = [&] {
        timedRepaint(main_);
        PaintTime best{1e9, 1e9};
        for (int i = 0; i < 3; ++i) {
            const PaintTime t = timedRepaint(main_);
            best = {std::min(best.wall, t.wall), std::min(best.cpu, t.cpu)};
        }
        return best;
    };
    const PaintTime full = bestOfThree();
    std::printf("[ timing ] whole paint of %d points: %.3f s wall, %.3f s process CPU\n", n, full.wall, full.cpu);
    test::saveWindowImage(main_, L"map-full-store");
    store.contourPointCount = 50000;
    const PaintTime typical = bestOfThree();
    std::printf("[ timing ] whole paint of 50000 points: %.4f s wall, %.4f s process CPU\n", typical.wall, typical.cpu);
    EXPECT_LT(full.cpu, 2.0);  // far above the target; catches a fall back to a call per point
    EXPECT_LT(typical.wall, full.wall);
    resetContourStore();
}

}  // namespace
}  // namespace vornel
