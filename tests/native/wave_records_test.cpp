#include "estimation/wave_records.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vornel
