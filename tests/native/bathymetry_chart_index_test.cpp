#include <gtest/gtest.h>

#include "bathymetry/chart_index.h"
#include "bathymetry_contour_support.h"
#include "bathymetry_index_support.h"
#include "bathymetry_test_fixture.h"
#include "geodesy/plane_rect.h"

namespace vornel {
namespace {

class ChartIndex : public DataFolderTest {
protected:
    ChartRecord& addChart(ChartSeries series, const std::string& code, const std::string& title) {
        ChartList& list = chartList(series);
        ChartRecord& rec = list.records[list.count++];
        rec = ChartRecord{};
        copyField(rec.code, code);
        copyField(rec.title, title);
        return rec;
    }
    // A chart at 34°N 135°E spanning east 0…4000 and north -2000…0; points after the marker are not read.
    std::string chartFile() {
        return header(10.0, 3, dms('N', 34, 0, 0.0), dms('E', 135, 0, 0.0)) +
               points({{0, 0}, {4000, -2000}, {1000, -1000}}) + kEndMarkerLine + points({{9e5, 9e5}});
    }
    std::string expectedLine(const std::string& title) {
        double n = 0, w = 0, s = 0, e = 0;
        fromPlaneRect(0, 0, 34.0, 135.0, n, w);
        fromPlaneRect(-2000, 4000, 34.0, 135.0, s, e);
        return format("%s,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf\r\n", title.c_str(), n, w, s, e, 34.0, 135.0);
    }
    FailingIndexPlatform platform_;
};

TEST_F(ChartIndex, WorksOutChartsTheIndexLacksAndKeysByTitle) {
    write("Db01/5万分の1/6326_1", chartFile());
    write("Db01/5万分の1/6326_2", chartFile());
    write("Db01/5万分の1/6326_3", kEndMarkerLine + chartFile());  // marker first: no origin, no points
    write("Db01/otable5.grd", "Other,1,2,3,4,5,139.0\r\n" + expectedLine("Cached") + "Short,1,2,3,4,35.0\r\n");
    addChart(CHART_50K, "6326_1", "Tokyo Bay");
    addChart(CHART_50K, "6326_2", "Short");
    addChart(CHART_50K, "6326_3", "Empty");
    ChartRecord& cached = addChart(CHART_50K, "6999_1", "Cached");  // no file needed: the index has it
    addChart(CHART_50K, "6326_1", "Tokyo Bay");                     // same title: only the first is filled
    loadChartIndex(CHART_50K);
    EXPECT_EQ(cached.originLon, 135.0);
    EXPECT_EQ(chart50kList().records[2].originLon, 0.0);
    EXPECT_EQ(read("Db01/otable5.grd"),
              expectedLine("Tokyo Bay") + expectedLine("Short") + expectedLine("Cached") + expectedLine("Tokyo Bay"));
    EXPECT_FALSE(exists("Db01/otable5.grd.new"));
}

TEST_F(ChartIndex, ACompleteIndexOpensNoContourFileAndIsNotRewritten) {
    write("Db01/20万分の1/6001", chartFile());
    addChart(CHART_200K, "6001", "Kanto");
    loadChartIndex(CHART_200K);
    ASSERT_EQ(read("Db01/otable20.grd"), expectedLine("Kanto"));
    write("Db01/otable20.grd", expectedLine("Kanto") + "extra line kept\r\n");
    chart200kList().records[0].originLon = 7.0;  // cleared before reading
    platform_.contourOpens = 0;
    loadChartIndex(CHART_200K);
    EXPECT_EQ(platform_.contourOpens, 0);
    EXPECT_EQ(chart200kList().records[0].originLon, 135.0);
    EXPECT_EQ(read("Db01/otable20.grd"), expectedLine("Kanto") + "extra line kept\r\n");
}

TEST_F(ChartIndex, AFailedWriteKeepsTheOldIndex) {
    write("Db01/5万分の1/6326_1", chartFile());
    const std::string old = "Tokyo Bay,35.1,139.7\r\n";
    write("Db01/otable5.grd", old);
    addChart(CHART_50K, "6326_1", "Tokyo Bay");
    platform_.diskFull = true;
    loadChartIndex(CHART_50K);
    EXPECT_EQ(chart50kList().records[0].originLon, 135.0);
    EXPECT_EQ(read("Db01/otable5.grd"), old);
    EXPECT_FALSE(exists("Db01/otable5.grd.new"));
}

TEST_F(ChartIndex, HeaderWithoutPointsGivesTheStartingExtremes) {
    write("Db01/5万分の1/6326_1", header(10.0, 0, dms('N', 34, 0, 0.0), dms('E', 135, 0, 0.0)));
    ChartRecord& rec = addChart(CHART_50K, "6326_1", "t");
    loadChartIndex(CHART_50K);
    double lat = 0, lon = 0;
    fromPlaneRect(-999999.9, 999999.9, 34.0, 135.0, lat, lon);
    EXPECT_DOUBLE_EQ(rec.northLat, lat);
    EXPECT_DOUBLE_EQ(rec.westLon, lon);
}

}  // namespace
}  // namespace vornel
