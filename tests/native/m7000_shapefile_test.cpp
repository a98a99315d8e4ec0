// The M7000 shapefile loader over hand-made files: staging, depths from the
// table, levels, origin and centre, and damaged files.
#include "bathymetry/m7000_shapefile.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geodesy/plane_rect.h"
#include "m7000_test_support.h"

namespace vornel::m7000test {
namespace {

const DbfField kDepth{"Depth", 'N', 10};

class M7000ShapefileTest : public M7000Test {
protected:
    void writeSet(const std::string& records, const std::string& table, int shapeType = 3) {
        write("m7/M7001.shp", shpFile(shapeType, records));
        if (!table.empty()) write("m7/M7001.dbf", table);
    }
    bool load(double originLat = 35.5, double originLon = 139.75) {
        return loadM7000Shapefile(nullptr, m7("M7001.shp"), m7("M7001.dbf"), originLat, originLon);
    }
};

TEST_F(M7000ShapefileTest, StagesRecordsWithTableDepthsLinesAndExtent) {
    const std::string records = shpRecord(1, polyLineContent({{{139.70, 35.40}, {139.72, 35.42}, {139.74, 35.41}}})) +
                                shpRecord(2, polyLineContent({{{139.80, 35.50}, {139.81, 35.55}}}));
    writeSet(records, dbfFile({{"NAME", 'C', 8}, kDepth}, {{"a", "10"}, {"b", "  20.5"}}));
    ASSERT_TRUE(load());

    EXPECT_EQ(count(), 5);
    EXPECT_EQ(lineStarts(), (std::vector<int>{1, 0, 0, 1, 0}));
    EXPECT_EQ(depths(), (std::vector<float>{10, 10, 10, 20.5f, 20.5f}));
    EXPECT_EQ(point(0).level, point(2).level);
    EXPECT_EQ(levels(), (std::vector<float>{10, 20.5f}));

    const M7000PointBuffer& buf = m7000PointBuffer();
    EXPECT_DOUBLE_EQ(buf.points[1].lat, 35.42);
    EXPECT_DOUBLE_EQ(buf.points[1].lon, 139.72);
    const M7000Extent& e = m7000Extent();
    EXPECT_DOUBLE_EQ(e.northLat, 35.55);
    EXPECT_DOUBLE_EQ(e.southLat, 35.40);
    EXPECT_DOUBLE_EQ(e.westLon, 139.70);
    EXPECT_DOUBLE_EQ(e.eastLon, 139.81);

    double x, y;
    toPlaneRect(35.42, 139.72, 35.5, 139.75, x, y);
    EXPECT_EQ(point(1).north, static_cast<float>(x));
    EXPECT_EQ(point(1).east, static_cast<float>(y));
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLat, 35.5);
    EXPECT_EQ(contourStore().depthLevelOrder[0], 0);
    EXPECT_TRUE(depthTableCacheOpen());  // kept for the next load
}

TEST_F(M7000ShapefileTest, OriginFromThePointsWhenNoneIsGivenAndCentreOfTheExtent) {
    writeSet(shpRecord(1, polyLineContent({{{140.0, 36.0}, {140.2, 36.4}}})), dbfFile({kDepth}, {{"5"}}));
    ASSERT_TRUE(load(0.0, 0.0));
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLat, 36.2);
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLon, 140.1);
    const DataCentre c = contourStore().dataCentre;
    EXPECT_FLOAT_EQ(c.centreEast, static_cast<float>((static_cast<double>(point(0).east) + point(1).east) / 2));
    EXPECT_FLOAT_EQ(c.centreNorth, static_cast<float>((static_cast<double>(point(0).north) + point(1).north) / 2));
}

TEST_F(M7000ShapefileTest, RecordNumbersPickTheTableRecord) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < 8; ++i) rows.push_back({std::to_string(100 + i)});
    const std::string records = shpRecord(7, polyLineContent({{{140, 36}}})) +
                                shpRecord(0, polyLineContent({{{140, 36}}})) +
                                shpRecord(30, polyLineContent({{{140, 36}}}));  // beyond the table
    writeSet(records, dbfFile({kDepth}, rows));
    ASSERT_TRUE(load());
    EXPECT_EQ(depths(), (std::vector<float>{106, 9999, 9999}));
}

TEST_F(M7000ShapefileTest, DepthFieldByExactNameOnly) {
    const std::string records = shpRecord(1, polyLineContent({{{140, 36}, {140.1, 36}}}));
    // 鉛直値 in code page 932 is found; a differently cased DEPTH and a field
    // whose bytes are not a depth name are not, and give 9999.
    writeSet(records, dbfFile({{"ID", 'N', 4}, {"\x89\x94\x92\xbc\x92\x6c", 'N', 8}}, {{"1", "42.5"}}));
    ASSERT_TRUE(load());
    EXPECT_EQ(depths(), (std::vector<float>{42.5f, 42.5f}));

    closeDepthTableCache();
    writeSet(records, dbfFile({{"ID", 'N', 4}, {"DEPTH", 'N', 8}}, {{"1", "42.5"}}));
    ASSERT_TRUE(load());
    EXPECT_EQ(depths(), (std::vector<float>{9999, 9999}));
    EXPECT_EQ(levels(), (std::vector<float>{9999}));
}

TEST_F(M7000ShapefileTest, MissingTableGivesNoDepthAndMissingMainFileEmptiesTheStore) {
    writeSet(shpRecord(1, polyLineContent({{{140, 36}, {140.1, 36}}})), "");
    ASSERT_TRUE(load());
    EXPECT_EQ(depths(), (std::vector<float>{9999, 9999}));
    EXPECT_FALSE(depthTableCacheOpen());

    contourStore().projectionOrigin = {35.0, 139.0};
    EXPECT_FALSE(loadM7000Shapefile(nullptr, m7("none.shp"), m7("none.dbf"), 0, 0));
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(contourStore().depthLevelCount, 0);
    EXPECT_DOUBLE_EQ(m7000Extent().northLat, -90.0);
    EXPECT_DOUBLE_EQ(contourStore().projectionOrigin.originLat, 35.0);
    EXPECT_TRUE(rec_.warnings.empty());
}

TEST_F(M7000ShapefileTest, TableCacheFollowsTheTableAskedFor) {
    write("m7/a.dbf", dbfFile({kDepth}, {{"1"}}));
    write("m7/b.dbf", dbfFile({kDepth}, {{"2"}}));
    EXPECT_EQ(readDepthValue(m7("a.dbf"), 0), 1.0);
    EXPECT_EQ(readDepthValue(m7("b.dbf"), 0), 2.0);
    EXPECT_EQ(readDepthValue(m7("a.dbf"), -1), 9999.0);
    EXPECT_EQ(readDepthValue(m7("a.dbf"), 0), 1.0);
    EXPECT_TRUE(depthTableCacheOpen());
    closeDepthTableCache();
    EXPECT_FALSE(depthTableCacheOpen());
}

TEST_F(M7000ShapefileTest, LevelsShareWithinTheTolerance) {
    const std::string records = shpRecord(1, polyLineContent({{{140, 36}}})) +
                                shpRecord(2, polyLineContent({{{140, 36}}})) +
                                shpRecord(3, polyLineContent({{{140, 36}}}));
    writeSet(records, dbfFile({kDepth}, {{"10.0"}, {"10.005"}, {"10.02"}}));
    ASSERT_TRUE(load());
    EXPECT_EQ(point(0).level, 0);
    EXPECT_EQ(point(1).level, 0);
    EXPECT_EQ(point(2).level, 1);
    EXPECT_EQ(point(1).depth, 10.005f);  // the point keeps its own depth
}

TEST_F(M7000ShapefileTest, OtherShapeTypesAndCutHeadersStageNothing) {
    write("m7/M7001.shp", shpFile(3, "").substr(0, 60));
    ASSERT_TRUE(load());
    EXPECT_EQ(count(), 0);

    for (int type : {5, 13, 1}) {
        writeSet(shpRecord(1, polyLineContent({{{140, 36}, {140.1, 36}}})), dbfFile({kDepth}, {{"3"}}), type);
        ASSERT_TRUE(load());
        EXPECT_EQ(count(), 0) << type;
        EXPECT_DOUBLE_EQ(m7000Extent().eastLon, 0.0);
    }
}

TEST_F(M7000ShapefileTest, NullShapesAreSteppedOverAndPartsStartLines) {
    std::string nullShape;
    le32(nullShape, 0);
    const std::string records =
        shpRecord(1, nullShape) + shpRecord(2, polyLineContent({{{140, 36}, {140.1, 36}}, {{141, 37}, {141.1, 37}}}));
    writeSet(records, dbfFile({kDepth}, {{"1"}, {"2"}}));
    ASSERT_TRUE(load());
    EXPECT_EQ(lineStarts(), (std::vector<int>{1, 0, 1, 0}));
    EXPECT_EQ(depths(), (std::vector<float>{2, 2, 2, 2}));
}

// Damaged records: reading stops there, what was staged before stays, and
// nothing is read outside the file.
TEST_F(M7000ShapefileTest, DamagedRecordsStopTheFileAndKeepWhatWasStaged) {
    const std::string good = shpRecord(1, polyLineContent({{{140, 36}, {140.1, 36.1}}}));
    const std::string next = shpRecord(3, polyLineContent({{{142, 38}}}));
    auto withCounts = [](int parts, int points, int contentWords) {
        std::string c;
        le32(c, 3);
        for (int i = 0; i < 4; ++i) le64(c, 0.0);
        le32(c, parts);
        le32(c, points);
        le32(c, 0);
        le64(c, 141);
        le64(c, 37);
        std::string r;
        be32(r, 2);
        be32(r, contentWords < 0 ? static_cast<int>(c.size() / 2) : contentWords);
        return r + c;
    };
    const std::string table = dbfFile({kDepth}, {{"1"}, {"2"}, {"3"}});
    struct Case {
        const char* what;
        std::string records;
    } cases[] = {
        {"negative NumPoints", good + withCounts(1, -1, -1) + next},
        {"negative NumParts", good + withCounts(-5, 1, -1) + next},
        {"NumPoints beyond the record", good + withCounts(1, 1000, -1) + next},
        {"NumParts beyond the record", good + withCounts(0x40000000, 1, -1) + next},
        {"huge NumPoints", good + withCounts(1, 0x7fffffff, -1) + next},
        {"content length beyond the file", good + withCounts(1, 100000, 0x7ffffff0)},
        {"record cut inside its points", good + withCounts(1, 3, 28 + 2 + 24).substr(0, 8 + 44 + 4 + 20)},
        {"record cut inside its header", good + withCounts(1, 1, -1).substr(0, 8 + 20)},
        {"content length too short for the counts", good + withCounts(1, 1, 10) + next},
    };
    for (const Case& c : cases) {
        writeSet(c.records, table);
        ASSERT_TRUE(load()) << c.what;
        EXPECT_GE(count(), 2) << c.what;
        EXPECT_LE(count(), 3) << c.what;
        EXPECT_EQ(point(0).lineStart, 1) << c.what;
        EXPECT_DOUBLE_EQ(m7000PointBuffer().points[1].lat, 36.1) << c.what;
        EXPECT_DOUBLE_EQ(m7000Extent().eastLon, count() == 3 ? 141.0 : 140.1) << c.what;
        EXPECT_TRUE(rec_.warnings.empty()) << c.what;
    }
}

// The five-million-point edge: a record that ends exactly at the capacity
// stops the load without a message; a point past it gives the box once.
TEST_F(M7000ShapefileTest, PointCapacityEdge) {
    write("m7/M7001.dbf", dbfFile({kDepth}, {{"1"}, {"2"}}));
    writeLargeShp(root_ / "m7" / "M7001.shp", {kM7000PointCapacity, 1});
    ASSERT_TRUE(load());
    EXPECT_EQ(count(), kM7000PointCapacity);
    EXPECT_TRUE(rec_.warnings.empty());

    writeLargeShp(root_ / "m7" / "M7001.shp", {kM7000PointCapacity - 1, 3});
    ASSERT_TRUE(load());
    EXPECT_EQ(count(), kM7000PointCapacity);
    ASSERT_EQ(texts(), (std::vector<std::string>{"既定数を超える等深線データが有ります。(>5000000)"}));
    EXPECT_EQ(captions()[0], "M7000水深データの読込");
    EXPECT_EQ(point(kM7000PointCapacity - 1).lineStart, 1);
    EXPECT_EQ(point(kM7000PointCapacity - 1).depth, 2.0f);
}

}  // namespace
}  // namespace vornel::m7000test
