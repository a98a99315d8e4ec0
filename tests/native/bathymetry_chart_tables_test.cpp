#include <gtest/gtest.h>

#include "bathymetry/chart_tables.h"
#include "bathymetry_test_fixture.h"

namespace vornel {
namespace {

using ChartTables = DataFolderTest;

constexpr const char* k50 = "Db01/5万分の1/";
constexpr const char* k200 = "Db01/20万分の1/";

// A table line: code in the first columns, title at `titleColumn`.
std::string line(const std::string& code, const std::string& title, std::size_t titleColumn = 118) {
    return pad(code, titleColumn) + title + "\r\n";
}

std::string codes(const ChartList& list) {
    std::string out;
    for (int i = 0; i < list.count; ++i) out += std::string(list.records[i].code) + "=" + list.records[i].title + " ";
    return out;
}

TEST_F(ChartTables, TableCapacityIsCheckedBeforeEachLine) {
    std::string table;
    for (int i = 0; i < 251; ++i) {
        table += line(format("%04d_1", 1000 + i), format("chart %d", i));
        if (i < 250) write(k50 + format("%04d_1", 1000 + i), "");
    }
    write("Db01/otable.5", table.substr(0, table.size() / 251 * 250));
    loadChartTable(nullptr, CHART_50K);
    EXPECT_TRUE(texts().empty());  // exactly 250 lines
    EXPECT_EQ(chart50kList().count, 250);

    write("Db01/otable.5", table);
    write(k50 + std::string("1250_1"), "");
    loadChartTable(nullptr, CHART_50K);
    // The 251st file is then a chart the full list cannot take.
    EXPECT_EQ(texts(), (std::vector<std::string>{"既定数を超えるデータが有ります。[otable.5](>250)",
                                                 "既定数を超えるデータが有ります。[1250_1](>250)"}));
    EXPECT_EQ(captions(), (std::vector<std::string>{"otable.5の読込", "5万分の1データのチェック"}));
    EXPECT_EQ(chart50kList().count, 250);
    EXPECT_STREQ(chart50kList().records[249].title, "chart 249");
}

TEST_F(ChartTables, TwoHundredThousandTableWarnsUnderTheSameCaption) {
    std::string table;
    for (int i = 0; i < 101; ++i) {
        table += line(format("%04d", 6000 + i), "t", 116);
        if (i < 100) write(k200 + format("%04d", 6000 + i), "");
    }
    write("Db01/otable.20", table);
    loadChartTable(nullptr, CHART_200K);
    EXPECT_EQ(texts(), std::vector<std::string>{"既定数を超えるデータが有ります。[otable.20](>100)"});
    EXPECT_EQ(captions(), std::vector<std::string>{"otable.5の読込"});
    EXPECT_EQ(chart200kList().count, 100);
}

TEST_F(ChartTables, FieldRulesMissingFilesAndUnlistedFiles) {
    write("Db01/otable.5", line("6326_1   ", "Tokyo Bay   ") +  // trailing spaces go
                               line("6326_2\t", "tab kept") +   // the tab stays: no such file
                               line("6326_1", "duplicate") +    //
                               "\r\n" +                         // blank: empty code
                               line("6327_1", "abcdefghij" + std::string(30, 'x')) + "6328_1\r\n");
    for (const char* f : {"6326_1", "6327_1", "6328_1", "6329_9", "63291", "6330_12"}) write(k50 + std::string(f), "");
    mkdir(std::string(k50) + "6331_1");
    loadChartTable(nullptr, CHART_50K);
    EXPECT_EQ(texts(), (std::vector<std::string>{"6326_2\tファイルが存在しません", "6326_1ファイルが存在しません",
                                                 "ファイルが存在しません"}));
    EXPECT_EQ(captions()[0], "5万分の1ファイルのチェック");
    // Titles hold 30 characters; a line ending before the title gives an empty one.
    EXPECT_EQ(codes(chart50kList()),
              "6326_1=Tokyo Bay 6327_1=abcdefghij" + std::string(20, 'x') + " 6328_1= 6329_9=6329_9 ");
    EXPECT_EQ(chart50kList().records[3].selected, 0);
    EXPECT_EQ(chart50kList().records[3].loaded, 0);
}

TEST_F(ChartTables, WithoutTableTheFolderMakesTheList) {
    for (const char* f : {"6002", "6001", "600", "60001"}) write(k200 + std::string(f), "");
    loadChartTable(nullptr, CHART_200K);
    EXPECT_TRUE(texts().empty());
    // "????" takes names of one to four characters, as on Windows.
    EXPECT_EQ(codes(chart200kList()), "600=600 6001=6001 6002=6002 ");
}

TEST_F(ChartTables, FullListTreatsLaterFilesAsMissing) {
    std::string table;
    for (int i = 0; i < 100; ++i) table += line(format("%04d", 7000 + i), "t", 116);
    write("Db01/otable.20", table);
    for (int i = 0; i < 99; ++i) write(k200 + format("%04d", 7000 + i), "");
    write(k200 + std::string("6999"), "");  // unlisted and listed first: the check stops here
    loadChartTable(nullptr, CHART_200K);
    ASSERT_EQ(texts().size(), 101u);
    EXPECT_EQ(texts()[0], "既定数を超えるデータが有ります。[6999](>100)");
    EXPECT_EQ(captions()[0], "20万分の1データのチェック");
    EXPECT_EQ(texts()[1], "7000ファイルが存在しません");
    EXPECT_EQ(texts()[100], "7099ファイルが存在しません");
    EXPECT_EQ(captions()[100], "20万分の1ファイルのチェック");
    EXPECT_EQ(chart200kList().count, 0);
}

TEST_F(ChartTables, MissingFolderReportsEveryChartInOrder) {
    write("Db01/otable.5", line("a", "1") + line("b", "2") + line("c", "3"));
    loadChartTable(nullptr, CHART_50K);
    EXPECT_EQ(texts(), (std::vector<std::string>{"aファイルが存在しません", "bファイルが存在しません",
                                                 "cファイルが存在しません"}));
    EXPECT_EQ(chart50kList().count, 0);
}

}  // namespace
}  // namespace vornel
