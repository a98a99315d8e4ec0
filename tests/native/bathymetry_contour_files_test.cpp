#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "bathymetry/contour_files.h"
#include "bathymetry/depth_levels.h"
#include "bathymetry/fixed_columns.h"
#include "bathymetry_contour_support.h"
#include "bathymetry_test_fixture.h"

namespace vornel {
namespace {

TEST(ContourFields, NumbersReadLikeAtoiAndAtof) {
    // The fast path must give the very double strtod gives, for every form.
    const char* samples[] = {"  123.45", "-0.5",           "+7", "   ", "",  "abc", "12 34",  "1e3", "1.5E-2",
                             "0x10",     "  -1234567.891", ".5", "5.",  "-", "inf", "\t\n 42"};
    for (const char* s : samples) {
        EXPECT_EQ(parseDouble(s), std::strtod(s, nullptr)) << s;
        EXPECT_EQ(parseInt(s), std::atoi(s)) << s;
    }
    EXPECT_EQ(parseDouble("1234567890123456789.5"), std::strtod("1234567890123456789.5", nullptr));
    EXPECT_EQ(parseInt("99999999999"), 2147483647);  // saturates as on Windows
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> value(-999999.0, 999999.0);
    for (int i = 0; i < 100000; ++i) {
        const std::string field = format("%10.*f", static_cast<int>(i % 7), value(gen));
        ASSERT_EQ(parseDouble(field), std::strtod(field.c_str(), nullptr)) << field;
    }
    // The field ends where its columns end, even inside a number.
    EXPECT_EQ(columnDouble("  12345.6789", 0, 9), 12345.6);
    EXPECT_EQ(columnInt("12345678", 2, 3), 345);
    EXPECT_EQ(columnDouble("short", 20, 10), 0.0);  // beyond the line: absent
}

TEST(ContourFields, DmsFieldNeedsAllFifteenCharactersAndItsMarks) {
    double v = 1.0;
    EXPECT_TRUE(parseContourDms(dms('S', 35, 10, 20.0), 0, v));
    EXPECT_NEAR(v, -35.172222222, 1e-9);
    EXPECT_TRUE(parseContourDms("x" + dms('N', 35, 10, 20.0) + "\n", 1, v));
    EXPECT_NEAR(v, 35.172222222, 1e-9);
    EXPECT_TRUE(parseContourDms(dms('W', 139, 45, 0.0), 0, v));
    EXPECT_NEAR(v, -139.75, 1e-12);
    v = 5.0;
    EXPECT_FALSE(parseContourDms("N 35 10 20.000\"", 0, v));  // no apostrophe at 7
    EXPECT_FALSE(parseContourDms("N 35 10'20.000 ", 0, v));   // no double quote at 14
    EXPECT_FALSE(parseContourDms("N 35 10'20.000", 0, v));    // cut by the line end
    EXPECT_EQ(v, 5.0);
}

TEST(DepthLevels, FloatComparisonAndFirstMatch) {
    resetContourStore();
    resetDepthLevels();
    EXPECT_EQ(findDepthLevel(2.50f), 0);
    EXPECT_EQ(findDepthLevel(2.51f), 0);  // float difference 0.0099999905
    EXPECT_EQ(findDepthLevel(10.00f), 1);
    EXPECT_EQ(findDepthLevel(10.01f), 2);  // float difference 0.0100002289
    EXPECT_EQ(findDepthLevel(10.004f), 1);
    EXPECT_EQ(findDepthLevel(10.012f), 2);  // nearer 10.01, but first within 0.01 of...
    EXPECT_EQ(findDepthLevel(10.005f), 1);  // ...both: the first level wins
    // The last-depth cache must not hide an earlier level.
    EXPECT_EQ(findDepthLevel(30.015f), 3);
    EXPECT_EQ(findDepthLevel(30.000f), 4);
    EXPECT_EQ(findDepthLevel(30.015f), 3);
    EXPECT_EQ(findDepthLevel(30.008f), 3);
    EXPECT_EQ(contourStore().depthLevelCount, 5);
}

TEST(DepthLevels, MatchesTheLinearSearchForManyLevels) {
    resetContourStore();
    resetDepthLevels();
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> hundredths(0, 3000);
    std::vector<float> levels;
    for (int i = 0; i < 20000; ++i) {
        const float depth = static_cast<float>(hundredths(gen) / 200.0);
        int expected = -1;
        for (std::size_t k = 0; k < levels.size() && expected < 0; ++k)
            if (std::fabs(levels[k] - depth) < 0.01) expected = static_cast<int>(k);
        if (expected < 0) {
            expected = static_cast<int>(levels.size());
            levels.push_back(depth);
        }
        ASSERT_EQ(findDepthLevel(depth), expected) << depth;
    }
}

TEST(DepthLevels, SortKeepsFirstIndexOnTiesAndFullListRefuses) {
    resetContourStore();
    resetDepthLevels();
    for (float d : {20.0f, 5.0f, 10.0f, 5.005f}) findDepthLevel(d);
    sortDepthLevels();
    ASSERT_EQ(contourStore().depthLevelCount, 3);
    EXPECT_EQ(contourStore().depthLevelOrder[0], 1);
    EXPECT_EQ(contourStore().depthLevelOrder[1], 2);
    EXPECT_EQ(contourStore().depthLevelOrder[2], 0);

    resetDepthLevels();
    for (int i = 0; i < kDepthLevelCapacity; ++i) ASSERT_EQ(findDepthLevel(i * 0.05f), i);
    EXPECT_EQ(findDepthLevel(-1.0f), -1);
    EXPECT_EQ(findDepthLevel(0.05f), 1);
    EXPECT_EQ(contourStore().depthLevelCount, kDepthLevelCapacity);
}

class ContourLoad : public DataFolderTest {
protected:
    // One harbour per file: region "r", the given name; selected for loading.
    void addHarbour(const std::string& name, const std::string& content, int selected = 1) {
        write("Db01/r/" + name + ".con", content);
        HarbourRecord& rec = harbourList().records[harbourList().harbourCount++];
        rec = HarbourRecord{};
        copyField(rec.name, name);
        copyField(rec.region, "r");
        rec.selected = selected;
    }
    const ContourPoint& point(int i) { return contourStore().points[i]; }
};

TEST_F(ContourLoad, SixPointsOverTwoLinesThenTheEndMarker) {
    addHarbour("a", header(5.0, 6, dms('N', 35, 10, 20.0), dms('E', 139, 45, 0.0)) +
                        points({{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {-11.5, 12.25}}) + header(10.0, 1) +
                        points({{100, 200}}) + kEndMarkerLine + header(99.0, 1) + points({{1e5, 1e5}}));
    loadSelectedContours();
    const ContourStore& s = contourStore();
    ASSERT_EQ(s.contourPointCount, 7);
    EXPECT_EQ(point(0).lineStart, 1);
    for (int i = 1; i < 6; ++i) EXPECT_EQ(point(i).lineStart, 0) << i;
    EXPECT_EQ(point(6).lineStart, 1);
    EXPECT_EQ(point(5).east, -11.5f);
    EXPECT_EQ(point(5).north, 12.25f);
    EXPECT_EQ(point(6).depth, 10.0f);
    EXPECT_EQ(point(6).level, 1);
    EXPECT_NEAR(s.projectionOrigin.originLat, 35.172222222, 1e-9);
    EXPECT_NEAR(s.projectionOrigin.originLon, 139.75, 1e-12);
    EXPECT_EQ(s.dataCentre.centreEast, (100.0f + -11.5f) * 0.5f);
    EXPECT_EQ(s.dataCentre.centreNorth, (200.0f + 2.0f) * 0.5f);
    EXPECT_EQ(s.contourStoreValid, 1);
    EXPECT_EQ(harbourList().records[0].loaded, 1);
}

TEST_F(ContourLoad, ChangeTestReloadsOnlyWhenTheSelectionChanged) {
    addHarbour("a", header(5.0, 1, dms('N', 30, 0, 0.0), dms('E', 130, 0, 0.0)) + points({{1, 1}}));
    addHarbour("b", kEndMarkerLine + header(7.0, 1) + points({{2, 2}}), 0);  // marker first: no point
    addHarbour("c", header(8.0, 1, dms('S', 1, 0, 0.0), "bad") + points({{3, 3}}));
    write("Db01/5万分の1/6326_1",
          header(9.0, 2, dms('N', 40, 0, 0.0), dms('E', 141, 0, 0.0)) + points({{4, 4}, {5, 5}}));
    ChartRecord& chart = chart50kList().records[chart50kList().count++];
    copyField(chart.code, "6326_1");
    chart.selected = 1;
    loadSelectedContours();
    EXPECT_EQ(contourStore().contourPointCount, 4);
    EXPECT_EQ(contourStore().projectionOrigin.originLat, 40.0);  // the last file loaded decides

    // Same selection: nothing is read, even when the file changed meanwhile.
    write("Db01/r/a.con", header(5.0, 2) + points({{1, 1}, {2, 2}}));
    contourStore().contourStoreValid = 0;
    loadSelectedContours();
    EXPECT_EQ(contourStore().contourPointCount, 4);
    EXPECT_EQ(contourStore().contourStoreValid, 1);

    harbourList().records[1].selected = 1;  // b: a marker first line still counts as loaded
    chart.selected = 0;
    loadSelectedContours();
    EXPECT_EQ(contourStore().contourPointCount, 3);
    EXPECT_EQ(harbourList().records[1].loaded, 1);
    EXPECT_EQ(chart.loaded, 0);
    // a now has no origin fields and c only a valid latitude: the longitude
    // stays as the previous rebuild left it (the chart's).
    EXPECT_EQ(contourStore().projectionOrigin.originLat, -1.0);
    EXPECT_EQ(contourStore().projectionOrigin.originLon, 141.0);

    for (int i = 0; i < 3; ++i) harbourList().records[i].selected = 0;
    loadSelectedContours();
    EXPECT_EQ(contourStore().contourPointCount, 0);
    EXPECT_EQ(contourStore().depthLevelCount, 0);
}

TEST_F(ContourLoad, FullStoreWarnsOnceAndLaterFilesStillSetTheOrigin) {
    // One file of a million points, linked under six harbour names.
    std::string big;
    const std::string line = points({{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    for (int c = 0; c < 20; ++c) {
        big += header(10.0 + c, 50000, c == 0 ? dms('N', 30, 0, 0.0) : "", dms('E', 130, 0, 0.0));
        for (int i = 0; i < 12500; ++i) big += line;
    }
    addHarbour("h0", big);
    for (int k = 1; k < 6; ++k) {
        addHarbour("h" + std::to_string(k), "");
        std::filesystem::remove(root_ / ("Db01/r/h" + std::to_string(k) + ".con"));
        std::filesystem::create_symlink(root_ / "Db01/r/h0.con", root_ / ("Db01/r/h" + std::to_string(k) + ".con"));
    }
    addHarbour("last", header(1.0, 1, dms('N', 44, 0, 0.0), dms('E', 145, 0, 0.0)) + points({{9, 9}}));
    loadSelectedContours();
    EXPECT_EQ(texts(), std::vector<std::string>{"既定数を超える等深線データが有ります。[kowan.lst](>5000000)"});
    EXPECT_EQ(captions(), std::vector<std::string>{"水深データの読込"});
    EXPECT_EQ(rec_.warnings[0].owner, nullptr);
    EXPECT_EQ(contourStore().contourPointCount, kContourStoreCapacity);
    EXPECT_EQ(contourStore().contourStoreValid, 0);
    EXPECT_EQ(contourStore().projectionOrigin.originLat, 44.0);
    EXPECT_EQ(harbourList().records[6].loaded, 1);
    loadSelectedContours();  // the next paint: no change, the stored points may be drawn
    EXPECT_EQ(contourStore().contourStoreValid, 1);
    EXPECT_EQ(contourStore().contourPointCount, kContourStoreCapacity);
    EXPECT_EQ(texts().size(), 1u);
}

TEST_F(ContourLoad, DepthsBeyondTheLevelListAreLeftOutWithOneWarning) {
    std::string file;
    for (int i = 0; i <= kDepthLevelCapacity + 1; ++i) file += header(i * 0.02, 1) + points({{1.0 * i, 0}});
    addHarbour("deep", file);
    loadSelectedContours();
    EXPECT_EQ(texts(), std::vector<std::string>{"既定数を超える水深の種類が有ります。[deep.con](>10000)"});
    EXPECT_EQ(contourStore().depthLevelCount, kDepthLevelCapacity);
    EXPECT_EQ(contourStore().contourPointCount, kDepthLevelCapacity);
    for (int i = 0; i < contourStore().contourPointCount; ++i)
        ASSERT_LT(contourStore().points[i].level, kDepthLevelCapacity);
    EXPECT_EQ(contourStore().contourStoreValid, 1);
}

TEST_F(ContourLoad, ShortDataLinesReadAsZeroNotBeyondTheLine) {
    addHarbour("s", header(3.0, 3) + "     12.50\r\n");
    loadSelectedContours();
    ASSERT_EQ(contourStore().contourPointCount, 3);
    EXPECT_EQ(point(0).east, 12.5f);
    EXPECT_EQ(point(0).north, 0.0f);
    EXPECT_EQ(point(2).east, 0.0f);
}

}  // namespace
}  // namespace vornel
