#include "estimation/wave_records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "bathymetry/spreading_relations.h"
#include "estimation/batch_figure.h"
#include "estimation/batch_report.h"
#include "platform/text.h"
#include "support/recording_canvas.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

std::wstring decode(const std::string& bytes) {
    RecordingPlatform platform;
    return decodeRecordsText(bytes);
}

TEST(WaveRecords, EveryFormatReadsTheSameRecords) {
    // Commas with a header, tabs, blanks with a 日時 that holds a blank, in
    // Shift_JIS, UTF-8 with and without BOM, and UTF-16 with BOM.
    const std::wstring expected = L"2024/01/01 01:00";
    const std::string sjisHeader = "\x93\xfa\x8e\x9e,H1/3,T1/3,\x94\x67\x8c\xfc\r\n";  // 日時,H1/3,T1/3,波向
    const std::string comma = "2024/01/01 01:00,1.50,8.0,45\r\n";
    const std::string tabs = "2024/01/01 01:00\t1.50\t8.0\tNE\n";
    const std::string blanks = "  2024/01/01 01:00   1.50  8.0 \x96\x6b\x93\x8c\n";  // 北東
    for (const std::string& bytes : {sjisHeader + comma, tabs, blanks, "\xEF\xBB\xBF" + comma,
                                     std::string("2024/01/01 01:00,1.50,8.0,\xE5\x8C\x97\xE6\x9D\xB1")}) {
        const WaveRecordFile file = readWaveRecords(decode(bytes));
        ASSERT_EQ(file.outcome, RecordsRead::Ok) << bytes;
        ASSERT_EQ(file.records.size(), 1u) << bytes;
        const WaveRecord& r = file.records[0];
        EXPECT_EQ(r.when, expected) << bytes;
        EXPECT_DOUBLE_EQ(r.height, 1.5);
        EXPECT_DOUBLE_EQ(r.period, 8.0);
        EXPECT_DOUBLE_EQ(r.direction, 45.0);
        EXPECT_EQ(r.status, RecordStatus::Ok);
    }
    std::string utf16 = "\xFF\xFE";
    for (const char c : comma) utf16 += std::string(1, c) + '\0';
    EXPECT_EQ(readWaveRecords(decode(utf16)).records.at(0).when, expected);
    EXPECT_TRUE(readWaveRecords(decode(sjisHeader + comma)).hadHeader);
    EXPECT_TRUE(readWaveRecords(decode(tabs)).records[0].namedDirection);
    EXPECT_FALSE(readWaveRecords(decode(comma)).records[0].namedDirection);

    // Every 16-point name at its centre azimuth, in either script and any case.
    EXPECT_DOUBLE_EQ(sixteenPointAzimuth(L"N"), 0.0);
    EXPECT_DOUBLE_EQ(sixteenPointAzimuth(L"ssw"), 202.5);
    EXPECT_DOUBLE_EQ(sixteenPointAzimuth(L"NNW"), 337.5);
    EXPECT_DOUBLE_EQ(sixteenPointAzimuth(L"西北西"), 292.5);
    EXPECT_DOUBLE_EQ(sixteenPointAzimuth(L"南"), 180.0);
    EXPECT_LT(sixteenPointAzimuth(L"NNNE"), 0.0);
    EXPECT_LT(sixteenPointAzimuth(L"北北"), 0.0);
}

TEST(WaveRecords, BadValuesAreKeptMarkedAndNeverRun) {
    const WaveRecordFile file = readWaveRecords(
        L"日時,H1/3,T1/3,波向\n"
        L"a,,8.0,45\n"          // empty
        L"b,-,8.0,45\n"         // dash
        L"c,1.0,欠測,45\n"      // 欠測
        L"d,999.9,8.0,45\n"     // code
        L"e,1.0,8.0,9999\n"     // code
        L"f,1.0,8.0,360\n"      // out of range: 360 is not a direction of the record
        L"g,0,8.0,45\n"         // a zero height is no wave
        L"h,1.0,120,45\n"       // beyond the dialog's 99 s
        L"i,1.0,8.0,-5\n"       // negative direction
        L"j,1.5m,8.0,45\n"      // a unit is not a number
        L"k,1.0,8.0,XYZ\n"      // not a direction
        L"l,2,5,10.0,45\n"      // further columns of the gauge are not read
        L"\n"
        L"m,１．５,８,ＮＥ\n");  // full-width forms of a typed record
    ASSERT_EQ(file.outcome, RecordsRead::Ok);
    ASSERT_EQ(file.records.size(), 13u);
    const RecordStatus expected[] = {RecordStatus::Missing,    RecordStatus::Missing,    RecordStatus::Missing,
                                     RecordStatus::Missing,    RecordStatus::Missing,    RecordStatus::OutOfRange,
                                     RecordStatus::OutOfRange, RecordStatus::OutOfRange, RecordStatus::OutOfRange,
                                     RecordStatus::Unreadable, RecordStatus::Unreadable, RecordStatus::Ok,
                                     RecordStatus::Ok};
    for (std::size_t i = 0; i < file.records.size(); ++i)
        EXPECT_EQ(file.records[i].status, expected[i]) << "record " << i << " line " << file.records[i].line;
    EXPECT_EQ(file.records[9].when, L"j,1.5m,8.0,45");  // the whole line, for the output
    EXPECT_EQ(file.records[9].line, 11);
    EXPECT_EQ(file.records[12].line, 15);  // blank lines count as lines, not records
    EXPECT_DOUBLE_EQ(file.records[12].height, 1.5);
    EXPECT_DOUBLE_EQ(file.records[12].direction, 45.0);
    EXPECT_EQ(file.firstBadLine, 11);

    // Not a records file: nothing to run, and the first bad line is named.
    const WaveRecordFile notRecords = readWaveRecords(L"name,value\nalpha,beta\n");
    EXPECT_EQ(notRecords.outcome, RecordsRead::NotRecords);
    EXPECT_TRUE(notRecords.records.empty());
    EXPECT_EQ(notRecords.firstBadLine, 2);
    EXPECT_EQ(notRecords.firstBadText, L"alpha,beta");
    EXPECT_EQ(readWaveRecords(L"only a header\n").firstBadLine, 1);
    EXPECT_EQ(readWaveRecords(L"").outcome, RecordsRead::NotRecords);

    // One record more than the cap refuses the file and says how many it has.
    std::wstring many;
    for (std::size_t i = 0; i <= kMaxWaveRecords; ++i) many += L"t 1.0 8.0 45\n";
    const WaveRecordFile tooMany = readWaveRecords(many);
    EXPECT_EQ(tooMany.outcome, RecordsRead::TooMany);
    EXPECT_EQ(tooMany.recordCount, kMaxWaveRecords + 1);
    EXPECT_TRUE(tooMany.records.empty());
}

TEST(BatchReport, EachRecordBecomesItsLinesAndItsMarks) {
    const WaveRecordFile file = readWaveRecords(
        L"2024/01/01 00:00,1.50,8.0,NE\n"
        L"2024/01/01 01:00,,8.0,45\n"
        L"2024/01/01 02:00,1.20,9.0,50\n"
        L"2024/01/01 03:00,1.20,9.0,50\n"
        L"2024/01/01 04:00,1.20,9.0,50\n"
        L"bad, \"line\"\n");
    ASSERT_EQ(file.records.size(), 6u);
    std::vector<BatchRecordResult> results(6);
    results[0].outcome = BatchOutcome::Done;
    results[0].candidates = {{{10, 2.5, 60.3, 0}, 0.81}, {{75, 2.0, 44.0, 0}, -1.0}};
    results[2].outcome = BatchOutcome::NoCandidate;
    results[3].outcome = BatchOutcome::Failed;
    results[3].failure = "(exit 1)";
    results[4].outcome = BatchOutcome::Stopped;

    // Relation 1 estimates 12 in every sector: Smax 10 agrees, 75 does not.
    SpreadingRelationList& list = spreadingRelations();
    std::memset(&list, 0, sizeof list);
    list.relationCount = 1;
    for (int s = 0; s < kMaxSectorRows; ++s) list.relations[0].rows[s] = {"S", 0.0, 12.0};
    list.relations[0].rowCount = 16;

    EXPECT_EQ(batchRecordLines(file.records[0], results[0], 1, 100.0),
              "2024/01/01 00:00,1.50,8.00,45.0,   10,2.500, 60.3,  12.0,◯,2.778,16方位\n"
              "2024/01/01 00:00,1.50,8.00,45.0,   75,2.000, 44.0,  12.0,,,16方位\n");
    EXPECT_EQ(batchRecordLines(file.records[0], results[0], 0, 100.0).substr(0, 60),
              "2024/01/01 00:00,1.50,8.00,45.0,   10,2.500, 60.3,,,2.778,16");
    EXPECT_EQ(batchRecordLines(file.records[1], results[1], 1, 100.0), "2024/01/01 01:00,,8.0,45,,,,,,,欠測\n");
    // With the site, each candidate names the notes that apply to it: 1.5 m
    // in 4 m of water breaks, 4 m at 8 s is shallow (h/L0 0.04), and θo 44°
    // runs along a coast whose normal is 130° (86° off), 60.3° does not.
    SolverCase site;
    site.thetaCon = 130.0;
    site.pointDepth = 4.0;
    const std::string tagged = batchRecordLines(file.records[0], results[0], 0, 100.0, &site, 0.0);
    EXPECT_NE(tagged.find(" 60.3,,,2.778,16方位 砕波 浅海\n"), std::string::npos) << tagged;
    EXPECT_NE(tagged.find(" 44.0,,,,16方位 砕波 浅海 岸沿い\n"), std::string::npos) << tagged;
    EXPECT_EQ(batchRecordLines(file.records[2], results[2], 1, 100.0),
              "2024/01/01 02:00,1.20,9.00,50.0,,,,,,,候補なし\n");
    EXPECT_EQ(batchRecordLines(file.records[3], results[3], 1, 100.0),
              "2024/01/01 03:00,1.20,9.00,50.0,,,,,,,計算失敗 (exit 1)\n");
    EXPECT_EQ(batchRecordLines(file.records[4], results[4], 1, 100.0),
              "2024/01/01 04:00,1.20,9.00,50.0,,,,,,,中止\n");
    EXPECT_EQ(batchRecordLines(file.records[5], results[5], 1, 100.0),
              "\"bad, \"\"line\"\"\",,,,,,,,,,読めない行\n");

    // The summary figure marks the ◯ candidate only, and nothing for records
    // that did not run; the observed height line breaks there.
    results[0].candidates[0].row.mark = 1;
    const std::vector<PlotPanel> panels = batchPanels(file.records, results, {0, 0, 800, 600});
    ASSERT_EQ(panels.size(), 2u);
    ASSERT_EQ(panels[0].marks.size(), 1u);
    EXPECT_DOUBLE_EQ(panels[0].marks[0].y, 2.5);
    EXPECT_TRUE(std::isnan(panels[0].lines[0].y[1]));
    EXPECT_EQ(panels[0].x.ticks.front().label, L"2024/01/01 00:00");
    EXPECT_EQ(panels[1].marks.size(), 5u);  // four observed directions and one θo
    RecordingCanvas canvas;
    drawBatchFigure(canvas, file.records, results, {0, 0, 800, 600});
    EXPECT_FALSE(canvas.calls.empty());
    // Eight hourly records on a figure as wide as the result window: the
    // date labels never come closer than one label's width, and the first
    // record is labelled (an uneven spread once put 00:00 and 01:00 on top
    // of each other).
    std::vector<WaveRecord> hourly(8);
    for (std::size_t i = 0; i < hourly.size(); ++i) hourly[i].when = widen(format("2024/01/01 %02zu:00", i));
    for (int width : {300, 800, 1200}) {
        const std::vector<PlotPanel> wide =
            batchPanels(hourly, std::vector<BatchRecordResult>(hourly.size()), {0, 0, width, 600});
        const std::vector<AxisTick>& ticks = wide[1].x.ticks;
        ASSERT_FALSE(ticks.empty());
        EXPECT_EQ(ticks.front().label, L"2024/01/01 00:00");
        const double perRecord = plotArea(wide[1]).width() / 7.0;
        for (std::size_t k = 1; k < ticks.size(); ++k)
            EXPECT_GE((ticks[k].value - ticks[k - 1].value) * perRecord, 16 * 7) << width << " px: " << k;
        if (width == 1200) {
            EXPECT_GE(ticks.size(), 5u);
        }
    }
    std::memset(&list, 0, sizeof list);
}

}  // namespace
}  // namespace vornel
