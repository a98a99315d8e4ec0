#include <gtest/gtest.h>

#include "bathymetry/harbour_list.h"
#include "bathymetry_test_fixture.h"

namespace vornel {
namespace {

using HarbourList_ = DataFolderTest;

// One record line of kowan.lst: name, region and the two angle fields at their columns.
std::string record(const std::string& name, const std::string& region, const std::string& lat = "",
                   const std::string& lon = "") {
    std::string line = pad(name, 20) + pad("", 30) + pad(region, 10) + pad("", 82);
    if (!lat.empty()) line += lat + lon;
    return line + "\r\n";
}

std::string names() {
    std::string out;
    for (int i = 0; i < harbourList().harbourCount; ++i)
        out += std::string(harbourList().records[i].region) + "/" + harbourList().records[i].name + " ";
    return out;
}

std::string regions() {
    std::string out;
    for (int i = 0; i < regionList().regionCount; ++i) out += std::string(regionList().names[i]) + " ";
    return out;
}

TEST_F(HarbourList_, AnnouncedCountAboveCapacityWarnsOnceAndReadsTwoHundred) {
    std::string list = "250\r\n";
    for (int i = 0; i < 250; ++i) {
        const std::string name = format("h%03d", i);
        list += record(name, "east");
        if (i < 200) write("Db01/east/" + name + ".con", "");
    }
    write("Db01/kowan.lst", list);
    loadHarbourList(nullptr);
    EXPECT_EQ(texts(), std::vector<std::string>{"既定数を超えるデータが有ります。[kowan.lst](250>200)"});
    EXPECT_EQ(captions(), std::vector<std::string>{"kowan.lstの読込"});
    ASSERT_EQ(harbourList().harbourCount, 200);
    EXPECT_STREQ(harbourList().records[199].name, "h199");
    EXPECT_EQ(harbourList().records[0].selected, 0);
}

TEST_F(HarbourList_, ShortListMissingFilesDuplicatesAndTrailingSpaces) {
    // Ten announced, seven present; "b" has no file, the second "a" is a duplicate.
    write("Db01/kowan.lst", "10\r\n" + record("a   ", "east") + record("b", "east") + record("c", "west") +
                                record("a", "east") + record("d", "east") + record("e", "west") + record("f", "west"));
    for (const char* f : {"east/a.con", "west/c.con", "east/d.con", "west/e.con", "west/f.con"})
        write(std::string("Db01/") + f, "");
    loadHarbourList(nullptr);
    EXPECT_EQ(texts(), (std::vector<std::string>{"b.conファイルが存在しません", "a.conファイルが存在しません"}));
    EXPECT_EQ(captions(), (std::vector<std::string>{"*.conファイルのチェック", "*.conファイルのチェック"}));
    EXPECT_EQ(names(), "east/a west/c east/d west/e west/f ");
    EXPECT_EQ(regions(), "east west ");
    for (int i = 0; i < harbourList().harbourCount; ++i) EXPECT_EQ(harbourList().records[i].selected, 0);
}

TEST_F(HarbourList_, UnlistedFilesJoinTheirRegionFirstAndOddEntriesAreSkipped) {
    write("Db01/kowan.lst", "1\r\n" + record("a", "west"));
    write("Db01/west/a.con", "");
    write("Db01/north/x.con", "");                             // base name "x"
    write("Db01/north/" + std::string(31, 'y') + ".con", "");  // 35 characters: fits
    write("Db01/north/" + std::string(32, 'z') + ".con", "");  // 36 characters: too long
    write("Db01/north/.con", "");                              // nothing before ".con"
    write("Db01/.hidden/h.con", "");
    write("Db01/plain.con", "");
    mkdir("Db01/north/sub.con");
    loadHarbourList(nullptr);
    EXPECT_EQ(texts(), std::vector<std::string>{"ファイル名が長すぎます[" + std::string(32, 'z') + ".con]"});
    EXPECT_EQ(names(), "west/a north/x north/" + std::string(31, 'y') + " ");
    EXPECT_EQ(regions(), "north west ");
    EXPECT_EQ(harbourList().records[1].originLat, 0.0);
    EXPECT_EQ(harbourList().records[1].loaded, 0);
}

TEST_F(HarbourList_, WithoutKowanListTheFilesOnDiskAreTheHarbours) {
    write("Db01/b/two.con", "");
    write("Db01/a/one.con", "");
    loadHarbourList(nullptr);
    EXPECT_TRUE(texts().empty());
    EXPECT_EQ(names(), "a/one b/two ");
}

TEST_F(HarbourList_, AngleFieldsNeedAllFourteenCharacters) {
    // Degrees 0-2, minutes 4-5, seconds 7-12; a field cut by the line end leaves the origin 0.
    write("Db01/kowan.lst", "3\r\n" + record("full", "r", "035 10 20.000 ", "139 45 00.000 ") +
                                record("cut", "r", "035 10 20.000 ", "139 45 0") + "short\r\n");
    write("Db01/r/full.con", "");
    write("Db01/r/cut.con", "");
    write("Db01/r/short.con", "");
    loadHarbourList(nullptr);
    ASSERT_EQ(harbourList().harbourCount, 3);
    const HarbourRecord& full = harbourList().records[0];
    EXPECT_NEAR(full.originLat, 35.0 + 10.0 / 60 + 20.0 / 3600, 1e-12);
    EXPECT_NEAR(full.originLon, 139.75, 1e-12);
    EXPECT_NEAR(harbourList().records[1].originLat, 35.172222, 1e-6);
    EXPECT_EQ(harbourList().records[1].originLon, 0.0);
    // A line that ends inside the name: the region reads as empty, no file matches.
    EXPECT_STREQ(harbourList().records[2].name, "short");
}

TEST_F(HarbourList_, RegionsBeyondTwentyAreDroppedWithOneWarningEach) {
    std::string list = "23\r\n";
    for (int i = 0; i < 22; ++i) {
        list += record(format("h%02d", i), format("r%02d", i));
        write(format("Db01/r%02d/h%02d.con", i, i), "");
    }
    list += record("again", "r21");
    write("Db01/r21/again.con", "");
    write("Db01/kowan.lst", list);
    loadHarbourList(nullptr);
    EXPECT_EQ(texts(), (std::vector<std::string>{"既定数を超える地域フォルダーが存在します。[r20](>20)",
                                                 "既定数を超える地域フォルダーが存在します。[r21](>20)"}));
    EXPECT_EQ(captions()[0], "kowan.lstの読込");
    EXPECT_EQ(regionList().regionCount, 20);
    EXPECT_EQ(harbourList().harbourCount, 23);
}

TEST_F(HarbourList_, FolderScanCapacitiesForFilesRegionsAndLongFolderNames) {
    std::string list = "199\r\n";
    for (int i = 0; i < 199; ++i) {
        list += record(format("h%03d", i), format("r%02d", i % 20));
        write(format("Db01/r%02d/h%03d.con", i % 20, i), "");
    }
    write("Db01/kowan.lst", list);
    write("Db01/s1/new1.con", "");  // the 200th harbour
    write("Db01/s1/new2.con", "");  // no room: this folder stops here
    write("Db01/s1/new3.con", "");
    write("Db01/s2/new4.con", "");  // reported again from the next folder
    write("Db01/" + std::string(32, 'L') + "/x.con", "");
    loadHarbourList(nullptr);
    EXPECT_EQ(texts(), (std::vector<std::string>{
                           "フォルダー名が長すぎます[" + std::string(32, 'L') + "]",
                           "既定数を超えるファイルが存在します。[new2.con](>200)",
                           "既定数を超えるファイルが存在します。[new4.con](>200)",
                           // s1 took the first place; the last listed region no longer fits.
                           "既定数を超える地域フォルダーが存在します。[r19](>20)",
                       }));
    EXPECT_EQ(captions()[2], "*.conファイルのチェック");
    EXPECT_EQ(captions()[3], "kowan.lstの読込");
    EXPECT_STREQ(regionList().names[0], "s1");
    EXPECT_EQ(harbourList().harbourCount, 200);
    EXPECT_STREQ(harbourList().records[199].name, "new1");
    EXPECT_STREQ(harbourList().records[199].region, "s1");
    EXPECT_EQ(regionList().regionCount, 20);
}

TEST_F(HarbourList_, JapaneseNamesAreComparedAsShiftJisBytes) {
    // 東京 in CP932; the folder on disk carries the same name.
    const std::string sjis = "\x93\x8c\x8b\x9e";
    write("Db01/kowan.lst", "1\r\n" + record(sjis, sjis));
    write("Db01/東京/東京.con", "");
    loadHarbourList(nullptr);
    EXPECT_TRUE(texts().empty());
    ASSERT_EQ(harbourList().harbourCount, 1);
    EXPECT_EQ(std::string(regionList().names[0]), sjis);

    // Names Shift_JIS cannot hold are refused by name, never kept with '?'
    // (which would name no file) or a look-alike (¥ for a backslash).
    resetHarbourList();
    write("Db01/東京/Zoë.con", "");
    write("Db01/東京/A¥B.con", "");
    write("Db01/한국/x.con", "");
    loadHarbourList(nullptr);
    EXPECT_EQ(texts(), (std::vector<std::string>{"ファイル名にShift_JISで表せない文字が含まれています[A¥B.con]",
                                                 "ファイル名にShift_JISで表せない文字が含まれています[Zoë.con]",
                                                 "フォルダー名にShift_JISで表せない文字が含まれています[한국]"}));
    EXPECT_EQ(harbourList().harbourCount, 1);
}

}  // namespace
}  // namespace vornel
