#include <gtest/gtest.h>

#include "bathymetry/coastline.h"
#include "bathymetry_test_fixture.h"

namespace vornel {
namespace {

using Coast = DataFolderTest;

// One 16-character point group: longitude degrees and minutes, latitude degrees and minutes.
std::string group(int lonDeg, int lonMin, int latDeg, int latMin) {
    return format("%5d %02d%4d %02d ", lonDeg, lonMin, latDeg, latMin);
}

TEST_F(Coast, TakenPolygonsAndTheSemicolonRule) {
    const std::string g = group(135, 30, 34, 15);
    write("japan.llm", "poly 12\r\n" + g + g + "\r\n" + g + ";\r\n" +        // 12 is not taken
                           "poly 13\r\n" + g + g + g + g + "\r\n" +          // four points
                           g + g + ";\r\n" +                                 // two more; the polygon ends
                           g + "\r\n" +                                      // ignored: no header yet
                           "poly 40\r\n" + g + "\r\n" + g + ";\r\n" +        // 40 is not taken
                           "poly 31\r\n" + g + ";" + g.substr(1) + "\r\n" +  // a group after ";" goes on
                           "poly 14\r\n" +                                   // inside 31: read as data, too short
                           "short\r\n" +                                     // no point, same state
                           g + ";\r\n" +                                     // 31 ends
                           "poly 17\r\n" + g.substr(0, 8) + "\r\n");         // 8 + LF < 10: no point
    loadCoastline();
    const Coastline& c = coastline();
    ASSERT_EQ(c.coastlinePointCount, 9);
    EXPECT_EQ(c.points[0].lon, 135.5f);
    EXPECT_EQ(c.points[0].lat, 34.25f);
    EXPECT_EQ(c.points[0].polyStart, 1);
    EXPECT_EQ(c.points[0].polyId, 13);
    for (int i = 1; i < 6; ++i) {
        EXPECT_EQ(c.points[i].polyStart, 0) << i;
        EXPECT_EQ(c.points[i].polyId, 13) << i;
    }
    EXPECT_EQ(c.points[6].polyStart, 1);
    EXPECT_EQ(c.points[6].polyId, 31);
    // The group whose first column holds the ";" is a point of the same polygon.
    EXPECT_EQ(c.points[7].polyStart, 0);
    EXPECT_EQ(c.points[7].polyId, 31);
    EXPECT_EQ(c.points[8].polyId, 31);
}

TEST_F(Coast, CapacityAndMissingFile) {
    loadCoastline();
    EXPECT_EQ(coastline().coastlinePointCount, 0);
    const std::string g = group(140, 0, 40, 0);
    std::string file = "poly 26\r\n";
    for (int i = 0; i < 4000; ++i) file += g + g + g + g + "\r\n";
    write("japan.llm", file);
    loadCoastline();
    EXPECT_EQ(coastline().coastlinePointCount, kCoastlineCapacity);
    EXPECT_EQ(coastline().points[kCoastlineCapacity - 1].lon, 140.0f);
    EXPECT_TRUE(texts().empty());
}

}  // namespace
}  // namespace vornel
