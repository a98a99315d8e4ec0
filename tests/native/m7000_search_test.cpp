// The folder search, the series list and the index file over generated folders.
#include "bathymetry/m7000_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bathymetry/data_folder.h"
#include "bathymetry/m7000_index.h"
#include "m7000_test_support.h"
#include "support/recording_platform.h"

namespace vornel::m7000test {
namespace {

class M7000SearchTest : public M7000Test {
protected:
    std::vector<std::string> found() const {
        std::vector<std::string> out;
        const M7000DataSetList& list = m7000DataSetList();
        for (int i = 0; i < list.m7000DataSetCount; ++i) out.push_back(list.dataSets[i].fileName);
        std::sort(out.begin(), out.end());
        return out;
    }
    const M7000DataSet* set(const std::string& fileName) const {
        const M7000DataSetList& list = m7000DataSetList();
        for (int i = 0; i < list.m7000DataSetCount; ++i)
            if (fileName == list.dataSets[i].fileName) return &list.dataSets[i];
        return nullptr;
    }
    void shapefileSet(const std::string& stem, double lon, double lat) {
        write("m7/" + stem + ".shp", shpFile(3, shpRecord(1, polyLineContent({{{lon, lat}, {lon + 0.1, lat + 0.2}}}))));
        write("m7/" + stem + ".dbf", dbfFile({{"Depth", 'N', 8}}, {{"25"}}));
    }
};

TEST_F(M7000SearchTest, NamingRules) {
    shapefileSet("M7001", 140.0, 36.0);
    write("m7/M7001.shx", "x");
    write("m7/M7001.prj", "x");
    write("m7/M7001.SHP", textLine(1, 36, 140, 1));
    write("m7/M7002.txt", textLine(1, 36, 140, 1));
    write("m7/M7003.png", "x");
    write("m7/M7003.jpg", "x");
    write("m7/M7a01.shp", "x");
    write("m7/M700", "x");
    write("m7/N7001.txt", "x");
    write("m7/M7004.shp", "no table");
    mkdir("m7/M7005");
    findM7000DataSets(nullptr);
    EXPECT_EQ(found(), (std::vector<std::string>{"M7001.SHP", "M7001.shp", "M7002.txt"}));
    EXPECT_STREQ(set("M7001.shp")->code, "M7001");
    EXPECT_EQ(set("M7001.shp")->selected, 0);
    EXPECT_TRUE(rec_.warnings.empty());

    // The shapefile goes through the shapefile loader (depth from the table),
    // M7001.SHP through the text loader.
    ASSERT_TRUE(openM7000DataSet(nullptr, *set("M7001.shp")));
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(point(0).depth, 25.0f);
    ASSERT_TRUE(openM7000DataSet(nullptr, *set("M7001.SHP")));
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(point(0).depth, 1.0f);
}

TEST_F(M7000SearchTest, NoFolderChosenSearchesNothing) {
    dataFolders().m7000Folder.clear();
    struct Watch : RecordingPlatform {
        int listings = 0;
        std::vector<DirEntry> listDirectory(const std::wstring& f, const std::wstring& p) override {
            ++listings;
            return RecordingPlatform::listDirectory(f, p);
        }
    } watch;
    findM7000DataSets(nullptr);
    EXPECT_EQ(m7000DataSetList().m7000DataSetCount, 0);
    EXPECT_EQ(watch.listings, 0);
}

TEST_F(M7000SearchTest, SeriesListOriginsAndCapacity) {
    std::string lst = "M7001,鹿島灘,353000,1394500,remark\r\nM7002\tshort line\r\nM7003 , 354500 ,\r\n";
    write("Db01/M7000.Lst", lst);
    findM7000DataSets(nullptr);
    const M7000SeriesList& series = m7000SeriesList();
    ASSERT_EQ(series.m7000SeriesCount, 1);
    EXPECT_STREQ(series.entries[0].name, "M7001");
    EXPECT_DOUBLE_EQ(series.entries[0].originLat, 35.5);
    EXPECT_DOUBLE_EQ(series.entries[0].originLon, 139.75);

    // 102 complete lines: 100 entries and one box.
    lst.clear();
    for (int i = 0; i < 102; ++i) lst += format("M7%03d,t,360000,1400000\r\n", i);
    write("Db01/M7000.Lst", lst);
    findM7000DataSets(nullptr);
    EXPECT_EQ(series.m7000SeriesCount, 100);
    EXPECT_EQ(texts(), (std::vector<std::string>{"既定数を超えるM7000シリーズリストが有ります。(>100)"}));
    EXPECT_EQ(captions(), (std::vector<std::string>{"M7000リストの読込"}));

    // Exactly 100 lines: no box; a fifth token on the last one already shows it.
    rec_.warnings.clear();
    lst.clear();
    for (int i = 0; i < 100; ++i) lst += format("M7%03d,t,360000,1400000\r\n", i);
    write("Db01/M7000.Lst", lst);
    findM7000DataSets(nullptr);
    EXPECT_EQ(series.m7000SeriesCount, 100);
    EXPECT_TRUE(rec_.warnings.empty());
    lst.insert(lst.size() - 2, ",extra");
    write("Db01/M7000.Lst", lst);
    findM7000DataSets(nullptr);
    EXPECT_EQ(rec_.warnings.size(), 1u);
}

TEST_F(M7000SearchTest, DataSetCapacityBoxShownOnce) {
    for (int i = 0; i < 103; ++i) write(format("m7/M7%03d.txt", i), textLine(1, 36, 140, 1));
    findM7000DataSets(nullptr);
    EXPECT_EQ(m7000DataSetList().m7000DataSetCount, 100);
    EXPECT_EQ(texts(), (std::vector<std::string>{"既定数を超えるM7000シリーズデータが有ります。(>100)"}));
    EXPECT_EQ(captions(), (std::vector<std::string>{"M7000シリーズデータの検索"}));
}

TEST_F(M7000SearchTest, OriginPrecedenceIndexOverListOverMean) {
    shapefileSet("M7001", 140.0, 36.0);
    shapefileSet("M7002", 141.0, 37.0);
    shapefileSet("M7003", 142.0, 38.0);
    write("Db01/M7000.Lst", "M7001,a,353000,1394500\r\nM7002,b,360000,1410000\r\n");
    write("Db01/M7000.grd", "M7002,37.2,141.0,37.0,141.1,37.5,141.5\r\n");
    findM7000DataSets(nullptr);
    loadM7000Index(nullptr);

    const M7000DataSet* a = set("M7001.shp");
    EXPECT_DOUBLE_EQ(a->originLat, 35.5);  // from the list
    EXPECT_DOUBLE_EQ(a->originLon, 139.75);
    EXPECT_DOUBLE_EQ(a->northLat, 36.2);  // measured
    EXPECT_DOUBLE_EQ(a->eastLon, 140.1);
    const M7000DataSet* b = set("M7002.shp");
    EXPECT_DOUBLE_EQ(b->originLat, 37.5);  // the index wins over the list
    EXPECT_DOUBLE_EQ(b->originLon, 141.5);
    const M7000DataSet* c = set("M7003.shp");
    EXPECT_DOUBLE_EQ(c->originLat, 38.1);  // the mean of its points
    EXPECT_DOUBLE_EQ(c->originLon, 142.05);

    // The index is written anew with every data set, in list order.
    const std::string grd = read("Db01/M7000.grd");
    EXPECT_NE(grd.find("M7001,36.20000000,140.00000000,36.00000000,140.10000000,35.50000000,139.75000000\r\n"),
              std::string::npos);
    EXPECT_NE(grd.find("M7002,37.20000000,141.00000000,37.00000000,141.10000000,37.50000000,141.50000000\r\n"),
              std::string::npos);
    EXPECT_NE(grd.find("M7003,38.20000000,142.00000000,38.00000000,142.10000000,38.10000000,142.05000000\r\n"),
              std::string::npos);
    EXPECT_FALSE(exists("Db01/M7000.grd.new"));

    // Next time nothing is loaded and the file is not touched.
    struct Count : RecordingPlatform {
        int opens = 0;
        std::FILE* openFile(const std::wstring& p, const char* m) override {
            if (p.find(L".grd") == std::wstring::npos && p.find(L".Lst") == std::wstring::npos) ++opens;
            return RecordingPlatform::openFile(p, m);
        }
    } counting;
    resetM7000Lists();
    findM7000DataSets(nullptr);
    loadM7000Index(nullptr);
    EXPECT_EQ(counting.opens, 0);
    EXPECT_DOUBLE_EQ(set("M7003.shp")->originLon, 142.05);
}

TEST_F(M7000SearchTest, UnreadableDataSetIsNotCachedWithABorrowedOrigin) {
    shapefileSet("M7001", 140.0, 36.0);
    write("m7/M7002.txt", textLine(1, 37, 141, 1));
    write("Db01/M7000.Lst", "M7002,b,360000,1410000\r\n");
    findM7000DataSets(nullptr);
    ASSERT_EQ(found().size(), 2u);
    // M7002.txt vanishes (or cannot be read) between the search and the index build.
    std::filesystem::remove(root_ / "m7" / "M7002.txt");
    loadM7000Index(nullptr);
    const std::string grd = read("Db01/M7000.grd");
    EXPECT_NE(grd.find("M7001,"), std::string::npos);
    EXPECT_EQ(grd.find("M7002"), std::string::npos);
    EXPECT_DOUBLE_EQ(set("M7002.txt")->eastLon, 0.0);
    EXPECT_DOUBLE_EQ(set("M7002.txt")->originLat, 36.0);  // the list's origin, not M7001's
}

TEST_F(M7000SearchTest, IndexReplacedOnlyWhenWrittenCompletely) {
    shapefileSet("M7001", 140.0, 36.0);
    const std::string old = "M7009,1,2,3,4,5,6\r\n";
    write("Db01/M7000.grd", old);
    struct DiskFull : RecordingPlatform {
        std::FILE* openFile(const std::wstring& p, const char* m) override {
            if (p.size() > 4 && p.compare(p.size() - 4, 4, L".new") == 0) return std::fopen("/dev/full", "wb");
            return RecordingPlatform::openFile(p, m);
        }
    } full;
    findM7000DataSets(nullptr);
    loadM7000Index(nullptr);
    EXPECT_EQ(read("Db01/M7000.grd"), old);
    EXPECT_DOUBLE_EQ(set("M7001.shp")->northLat, 36.2);  // measured all the same
}

}  // namespace
}  // namespace vornel::m7000test
