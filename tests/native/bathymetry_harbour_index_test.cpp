#include <gtest/gtest.h>

#include "bathymetry/harbour_index.h"
#include "bathymetry_contour_support.h"
#include "bathymetry_index_support.h"
#include "bathymetry_test_fixture.h"
#include "geodesy/plane_rect.h"

namespace vornel {
namespace {

class HarbourIndex : public DataFolderTest {
protected:
    HarbourRecord& addHarbour(const std::string& region, const std::string& name) {
        HarbourRecord& rec = harbourList().records[harbourList().harbourCount++];
        rec = HarbourRecord{};
        copyField(rec.name, name);
        copyField(rec.region, region);
        return rec;
    }
    // A harbour at 35°N 139°45'E whose contours span east -1000…2000, north -500…1500.
    void writeHarbour(const std::string& region, const std::string& name) {
        write("Db01/" + region + "/" + name + ".con", header(5.0, 2, dms('N', 35, 0, 0.0), dms('E', 139, 45, 0.0)) +
                                                          points({{-1000, 1500}, {2000, -500}}) + kEndMarkerLine +
                                                          points({{0, 0}, {0, 0}, {0, 0}, {0, 0}, {2500, 0}}));
    }
    FailingIndexPlatform platform_;
};

TEST_F(HarbourIndex, WorksOutMissingEntriesWritesThemAndReadsThemBack) {
    writeHarbour("r", "a");
    write("Db01/r/nohdr.con", header(5.0, 1) + points({{1, 1}}));  // no origin anywhere: never written
    addHarbour("r", "a");
    addHarbour("r", "nohdr");
    addHarbour("r", "gone");  // no file: keeps its zeros
    loadHarbourIndex();
    const HarbourRecord& a = harbourList().records[0];
    EXPECT_EQ(a.originLat, 35.0);
    EXPECT_EQ(a.originLon, 139.75);
    double lat = 0, lon = 0;
    // The points after the end marker count in the harbour's extent (east up to 2500).
    fromPlaneRect(-500, 2500, 35.0, 139.75, lat, lon);
    EXPECT_DOUBLE_EQ(a.southLat, lat);
    EXPECT_DOUBLE_EQ(a.eastLon, lon);
    fromPlaneRect(1500, -1000, 35.0, 139.75, lat, lon);
    EXPECT_DOUBLE_EQ(a.northLat, lat);
    EXPECT_DOUBLE_EQ(a.westLon, lon);
    const std::string expected = format("r,a,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf,%10.8lf\r\n", a.northLat,
                                        a.westLon, a.southLat, a.eastLon, 35.0, 139.75);
    EXPECT_EQ(read("Db01/kowan.grd"), expected);
    EXPECT_FALSE(exists("Db01/kowan.grd.new"));

    // A second start takes a from the index without opening its contour file.
    resetHarbourList();
    addHarbour("r", "a");
    platform_.contourOpens = 0;
    loadHarbourIndex();
    EXPECT_EQ(platform_.contourOpens, 0);
    EXPECT_EQ(harbourList().records[0].originLon, 139.75);
    EXPECT_EQ(read("Db01/kowan.grd"), expected);
}

TEST_F(HarbourIndex, CutLinesAreWorkedOutAgainAndUnknownLinesDropped) {
    writeHarbour("r", "a");
    writeHarbour("r", "b");
    write("Db01/kowan.grd",
          "r,a\r\n"                                       // cut after the name
          "r,b,35.1,139.7,35.0,139.8,35.0\r\n"            // cut before originLon
          "r,zz,35.1,139.7,35.0,139.8,35.0,139.75\r\n");  // no such harbour
    addHarbour("r", "a");
    addHarbour("r", "b");
    loadHarbourIndex();
    EXPECT_EQ(harbourList().records[0].originLon, 139.75);
    EXPECT_EQ(harbourList().records[1].originLon, 139.75);
    const std::string grd = read("Db01/kowan.grd");
    EXPECT_EQ(grd.substr(0, 4), "r,a,");
    EXPECT_NE(grd.find("\r\nr,b,"), std::string::npos);
    EXPECT_EQ(grd.find("zz"), std::string::npos);
}

TEST_F(HarbourIndex, AFailedWriteKeepsTheOldIndex) {
    writeHarbour("r", "a");
    const std::string old = "r,a,35.1,139.7,35.0\r\n";
    write("Db01/kowan.grd", old);
    addHarbour("r", "a");
    platform_.diskFull = true;
    loadHarbourIndex();
    EXPECT_EQ(harbourList().records[0].originLon, 139.75);  // worked out all the same
    EXPECT_EQ(read("Db01/kowan.grd"), old);
    EXPECT_FALSE(exists("Db01/kowan.grd.new"));

    platform_.diskFull = false;
    platform_.replaceFails = true;
    loadHarbourIndex();
    EXPECT_EQ(read("Db01/kowan.grd"), old);
    EXPECT_FALSE(exists("Db01/kowan.grd.new"));
    EXPECT_TRUE(platform_.warnings.empty());  // the index is a cache: no message
}

}  // namespace
}  // namespace vornel
