#include "estimation/csv_report.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bathymetry/spreading_relations.h"
#include "estimation/case_report_reader.h"
#include "estimation/params.h"
#include "estimation/result.h"
#include "estimation/run_record.h"
#include "estimation/sensitivity.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/fake_dialog_fields.h"
#include "support/recording_platform.h"
#include "version.h"

namespace vornel {
namespace {

// The expected reports are written here as UTF-8 lines and turned into
// Shift_JIS with CR LF by iconv directly, not by the program's converter.
std::string sjisLines(const std::vector<const char*>& lines) {
    std::string utf8;
    for (const char* line : lines) utf8 += std::string(line) + "\r\n";
    iconv_t cd = iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = utf8.data();
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t dstLeft = out.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &dst, &dstLeft);
    iconv_close(cd);
    EXPECT_NE(rc, static_cast<std::size_t>(-1)) << "not convertible: " << utf8.substr(utf8.size() - inLeft, 20);
    out.resize(out.size() - dstLeft);
    return out;
}

std::string sjisLines(std::initializer_list<const char*> lines) {
    return sjisLines(std::vector<const char*>(lines));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class CsvReport : public ::testing::Test {
protected:
    void SetUp() override {
        reset();
        // Relation 1 "Fixed": 12.0 in every sector but 30.0 in sector 12 (west).
        SpreadingRelationList& list = spreadingRelations();
        list.relationCount = 1;
        std::strcpy(list.relations[0].name, "Fixed");
        list.relations[0].rowCount = 16;
        for (int s = 0; s < 16; ++s) list.relations[0].rows[s] = {"S", 0.0, s == 12 ? 30.0 : 12.0};
        estimationParams().offshorePoint.depth = 150.0;

        const wchar_t* texts[][2] = {
            {L"1500", L"35"},    {L"1501", L"30"},      {L"1502", L"00.0000"}, {L"1503", L"139"},
            {L"1504", L"45"},    {L"1505", L"00.0000"}, {L"1506", L"20.0"},    {L"1507", L"135.0"},
            {L"1508", L"2.00"},  {L"1509", L"10.0"},    {L"1510", L"180.0"},   {L"1511", L"0.128"},
            {L"1512", L"35"},    {L"1513", L"29"},      {L"1514", L"30.0000"}, {L"1515", L"139"},
            {L"1516", L"44"},    {L"1517", L"15.5000"}, {L"1518", L"25.0"},    {L"1519", L"200.0"},
            {L"1520", L"35"},    {L"1521", L"31"},      {L"1522", L"00.0000"}, {L"1523", L"139"},
            {L"1524", L"46"},    {L"1525", L"00.0000"}, {L"1526", L"5.0"},     {L"1527", L"20.0"},
            {L"1528", L"200.0"}, {L"1530", L"35"},      {L"1531", L"5"},       {L"1532", L"0"},
            {L"1533", L"140"},   {L"1534", L"10"},      {L"1535", L"00.0000"}, {L"1536", L"150.0"},
            {L"1601", L"Fixed"}, {L"1539", L"港湾A"}};
        for (const auto& t : texts) params.texts[std::stoi(t[0])] = t[1];

        EstimationResult& r = estimationResult();
        const std::string caseName = platform_.toCp932(L"港湾A");
        std::strcpy(r.caseName, caseName.c_str());
        const char* echo[] = {"200.0", "190.0", "30.0", "5.0", "20.0", "2.00", "10.00", "179.0"};
        r.valueCount = 8;
        for (int i = 0; i < 8; ++i) std::strcpy(r.values[i], echo[i]);
        r.runDirection = 180.0;
        r.rows[0] = {10, 2.5, 45.0, 0};
        r.rows[1] = {25, 1.8, 270.0, 0};
        r.rows[2] = {75, 1.234, 90.0, 0};
        for (int i = 3; i < 13; ++i) r.rows[i] = {10, 1.0, 0.0, 0};  // more rows than the dialog shows
        r.rowCount = 13;
        // A name Shift_JIS cannot hold: the path stays wide up to the file call.
        // One file per test and process: CTest runs the tests side by side.
        path = ::testing::TempDir() + "vornel_report_Zoë_한국_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + std::to_string(::getpid()) +
               ".csv";
    }
    void TearDown() override {
        std::remove(path.c_str());
        reset();
    }
    static void reset() {
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
        std::memset(&spreadingRelations(), 0, sizeof(SpreadingRelationList));
    }

    // The record of the run on screen: the dialog's texts and choices now, a
    // fixed time and data source, no curves.
    RunRecord& record() {
        RunRecord& run = runRecord();
        run = RunRecord();
        run.valid = true;
        run.fields = FieldSnapshot(params, reportFieldIds());
        run.diffractionOff = estimationParams().diffractionOff == 1;
        run.offshoreDepth = estimationParams().offshorePoint.depth;
        run.runTime = "2026-12-08 10:00:00";
        run.dataSource = L"1/5万海図 港湾A";
        return run;
    }

    RecordingPlatform platform_;
    FakeDialogFields params;
    std::string path;
};

// The lines after the specified layout for `rows` rows of the fixture.
std::vector<const char*> tailLines(int rows) {
    static std::vector<std::string> keep;
    keep = {"--------------------------------",
            "プログラム,VORNEL " VORNEL_VERSION_TEXT ",zelvo_v3.exe,2026-12-08 10:00:00", "水深データ,1/5万海図 港湾A",
            "全体波高", "Smax,Ho,θo,全体Ho"};
    const char* rowLines[] = {"   10,2.500, 45.0,", "   25,1.800,270.0,", "   75,1.234, 90.0,"};
    for (int i = 0; i < rows; ++i) keep.push_back(i < 3 ? rowLines[i] : "   10,1.000,  0.0,");
    keep.push_back("注意");
    keep.push_back("なし");
    std::vector<const char*> lines;
    for (const std::string& l : keep) lines.push_back(l.c_str());
    return lines;
}

TEST_F(CsvReport, WithRelationAndDiffractionPoint) {
    estimationResult().relationIndex = 1;
    ASSERT_EQ(writeResultCsv(nullptr, record(), widen(path)), 0);
    EXPECT_TRUE(platform_.warnings.empty());
    const std::string expected = sjisLines({
        "VORNELパラメータ",
        "--------------------------------",
        "準沖波地点",
        "緯度, 35°30′00.0000″",
        "経度,139°45′00.0000″",
        "水深,20.0 m",
        "防波堤から見た方位角θ,135.0",
        "波高,2.00 m,周期,10.0 sec",
        "波向,180.0 °",
        "相対水深(h/L0),0.128",
        "--------------------------------",
        "等深線の代表点",
        "緯度, 35°29′30.0000″",
        "経度,139°44′15.5000″",
        "水深,25.0 m",
        "垂線の方位角θcon,200.0 °",
        "--------------------------------",
        "回折地点",
        "設定する",
        "緯度, 35°31′00.0000″",
        "経度,139°46′00.0000″",
        "水深,5.0 m",
        "汀線の直交方向,20.0 °",
        "仮想防波堤の法線方向θdiff,200.0 °",
        "--------------------------------",
        "沖波地点",
        "緯度, 35° 5′ 0″",
        "経度,140°10′00.0000″",
        "水深,150.0 m",
        "--------------------------------",
        "方向集中度パラメータの関係式",
        "Fixed",
        "--------------------------------",
        "計算タイトル",
        "港湾A",
        "--------------------------------",
        "簡易逆推定結果",
        "--------------------------------",
        "入力パラメータ(港湾A)",
        "等深線の代表点の垂線の方位角θcon,200.0°",
        "仮想防波堤の法線方向θdiff,190.0°",
        "防波堤先端から見た方位角θ,30.0°",
        "回折点の水深,5.0m",
        "準沖波地点の水深,20.0m",
        "準沖波地点の有義波高,2.00m",
        "準沖波地点の有義波周期,10.00sec",
        "準沖波地点の波向, 180.0°",
        "計算結果(港湾A)",
        "Smax,Ho,θo,推定式Smax",
        "   10,2.500, 45.0,  12.0,◯",
        "   25,1.800,270.0,  30.0,◯",
        "   75,1.234, 90.0,  12.0",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
        "   10,1.000,  0.0,  12.0,◯",
    }) + sjisLines(tailLines(13));
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(estimationResult().rows[1].mark, 1);
    EXPECT_EQ(estimationResult().rows[2].mark, 0);
    EXPECT_EQ(estimationResult().rows[12].mark, 1);
}

TEST_F(CsvReport, WithoutRelationOrDiffractionPointAndWithEmptyFields) {
    estimationParams().diffractionOff = 1;
    estimationResult().caseName[0] = '\0';
    estimationResult().rowCount = 2;
    estimationResult().rows[0].mark = 1;  // a mark of an earlier relation is not written
    for (int id = 1530; id <= 1536; ++id) params.texts.erase(id);
    params.texts[1601] = L"";
    params.texts[1539] = L"";
    ASSERT_EQ(writeResultCsv(nullptr, record(), widen(path)), 0);
    const std::string expected = sjisLines({
        "VORNELパラメータ",
        "--------------------------------",
        "準沖波地点",
        "緯度, 35°30′00.0000″",
        "経度,139°45′00.0000″",
        "水深,20.0 m",
        "防波堤から見た方位角θ,135.0",
        "波高,2.00 m,周期,10.0 sec",
        "波向,180.0 °",
        "相対水深(h/L0),0.128",
        "--------------------------------",
        "等深線の代表点",
        "緯度, 35°29′30.0000″",
        "経度,139°44′15.5000″",
        "水深,25.0 m",
        "垂線の方位角θcon,200.0 °",
        "--------------------------------",
        "回折地点",
        "設定しない",
        "緯度, 35°31′00.0000″",
        "経度,139°46′00.0000″",
        "水深,5.0 m",
        "汀線の直交方向,20.0 °",
        "仮想防波堤の法線方向θdiff,200.0 °",
        "--------------------------------",
        "沖波地点",
        "緯度,   °  ′  ″",
        "経度,   °  ′  ″",
        "水深, m",
        "--------------------------------",
        "方向集中度パラメータの関係式",
        "",
        "--------------------------------",
        "計算タイトル",
        "",
        "--------------------------------",
        "簡易逆推定結果",
        "--------------------------------",
        "入力パラメータ",
        "等深線の代表点の垂線の方位角θcon,200.0°",
        "仮想防波堤の法線方向θdiff,  -  ",
        "防波堤先端から見た方位角θ,  -  ",
        "回折点の水深,  -  ",
        "準沖波地点の水深,20.0m",
        "準沖波地点の有義波高,2.00m",
        "準沖波地点の有義波周期,10.00sec",
        "準沖波地点の波向, 180.0°",
        "計算結果",
        "Smax,Ho,θo,推定式Smax",
        "   10,2.500, 45.0,",
        "   25,1.800,270.0,",
    }) + sjisLines(tailLines(2));
    EXPECT_EQ(readBytes(path), expected);
}

// A platform whose files all live on a full disk, and which records deletions.
class FullDiskPlatform : public RecordingPlatform {
public:
    bool canOpen = true;
    std::vector<std::wstring> deleted;
    std::FILE* openFile(const std::wstring&, const char* mode) override {
        return canOpen ? std::fopen("/dev/full", mode) : nullptr;
    }
    bool deleteFile(const std::wstring& p) override {
        deleted.push_back(p);
        return true;
    }
};

TEST_F(CsvReport, AFailedWriteIsReportedAndThePartialFileRemoved) {
    FullDiskPlatform full;
    WindowRef owner = reinterpret_cast<WindowRef>(0x1234);
    EXPECT_EQ(writeResultCsv(owner, record(), L"D:\\out\\report.csv"), -1);
    ASSERT_EQ(full.warnings.size(), 1u);
    EXPECT_EQ(full.warnings[0].owner, owner);
    EXPECT_EQ(full.warnings[0].caption, L"CSVファイルの保存");
    EXPECT_EQ(full.warnings[0].text, L"ファイル(D:\\out\\report.csv)の書き込みに失敗しました。");
    EXPECT_EQ(full.deleted, std::vector<std::wstring>{L"D:\\out\\report.csv.part"});

    full.canOpen = false;
    EXPECT_EQ(writeResultCsv(owner, record(), L"D:\\out\\report.csv"), -1);
    ASSERT_EQ(full.warnings.size(), 2u);
    EXPECT_EQ(full.warnings[1].text, L"ファイル(D:\\out\\report.csv)がオープンできません。");
    EXPECT_EQ(full.deleted.size(), 1u);  // nothing was created, nothing removed
}

// A report saved earlier, in a temporary file named after `tag`: "earlier report\r\n".
std::string earlierReport(const char* tag) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vornel_csv_" + std::string(tag) + "_" + std::to_string(::getpid()) + ".csv"))
                                 .string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("earlier report\r\n", f);
    std::fclose(f);
    return path;
}

// The disk fills up while the new report is written: the report saved
// earlier under the same name stays whole, and no partial file is left.
class FullDiskForNewFiles : public RecordingPlatform {
public:
    std::FILE* openFile(const std::wstring& p, const char* mode) override {
        if (std::string(mode).find('w') != std::string::npos) return std::fopen("/dev/full", mode);
        return RecordingPlatform::openFile(p, mode);
    }
};

TEST_F(CsvReport, AnEarlierReportSurvivesAFailedSave) {
    const std::string path = earlierReport("keep");
    {
        FullDiskForNewFiles full;
        EXPECT_EQ(writeResultCsv(nullptr, record(), widen(path)), -1);
        EXPECT_EQ(full.warnings.size(), 1u);
    }
    EXPECT_EQ(readBytes(path), "earlier report\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    // A save that works replaces it completely.
    EXPECT_EQ(writeResultCsv(nullptr, record(), widen(path)), 0);
    EXPECT_NE(readBytes(path).find("VORNEL"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    std::filesystem::remove(path);
}

// A disk that takes the writes into its cache but fails to store them (an
// I/O error at the sync): the save is reported failed and the earlier report
// stays; a save that works stores the data before the new file takes the name.
class SyncRecordingPlatform : public RecordingPlatform {
public:
    bool syncFails = false;
    std::vector<std::string> steps;
    bool flushToDisk(std::FILE* f) override {
        steps.push_back("sync");
        return RecordingPlatform::flushToDisk(f) && !syncFails;
    }
    bool replaceFile(const std::wstring& r, const std::wstring& t) override {
        steps.push_back("replace");
        return RecordingPlatform::replaceFile(r, t);
    }
};

TEST_F(CsvReport, TheReportReachesTheDiskBeforeItReplacesTheEarlierOne) {
    const std::string path = earlierReport("sync");
    SyncRecordingPlatform disk;
    disk.syncFails = true;
    EXPECT_EQ(writeResultCsv(nullptr, record(), widen(path)), -1);
    ASSERT_EQ(disk.warnings.size(), 1u);
    EXPECT_EQ(disk.warnings[0].caption, L"CSVファイルの保存");
    EXPECT_EQ(disk.steps, std::vector<std::string>{"sync"});
    EXPECT_EQ(readBytes(path), "earlier report\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));

    disk.syncFails = false;
    disk.steps.clear();
    EXPECT_EQ(writeResultCsv(nullptr, record(), widen(path)), 0);
    EXPECT_EQ(disk.steps, (std::vector<std::string>{"sync", "replace"}));
    EXPECT_NE(readBytes(path).find("VORNEL"), std::string::npos);
    std::filesystem::remove(path);
}

// After the specified layout: the whole-sea height where the solver gave the
// share, the notes, and the sensitivity once computed for this run.
TEST_F(CsvReport, TheTailCarriesWholeSeaHeightsNotesAndTheSensitivity) {
    estimationResult().rowCount = 2;
    RunRecord& run = record();
    run.solverVersion = L"1.0.0.0";
    run.curves.candidates = {{10, 2.5, 45.0, 0.81}, {25, 1.8, 271.0, 0.9}};  // row 2 is another wave
    run.notes = {"砕波の影響: H1/3/h=0.40>0.3 (Hoは過小の可能性)"};
    SensitivityTable& sensitivity = runSensitivity();
    std::vector<PerturbedRun> runs(2 * kSensitivityInputs);
    runs[0] = {true, {{10, 2.4, 40.0, 0}}};
    runs[1] = {true, {{10, 2.6, 50.0, 0}}};
    sensitivity = buildSensitivity(run.solverCase, {estimationResult().rows[0]}, Uncertainties(), runs);
    ASSERT_EQ(writeResultCsv(nullptr, run, widen(path)), 0);
    runSensitivity() = SensitivityTable();
    const std::string report = readBytes(path);
    const std::string tail = sjisLines({"--------------------------------",
                                        "プログラム,VORNEL " VORNEL_VERSION_TEXT ",zelvo_v3.exe 1.0.0.0,2026-12-08 10:00:00",
                                        "水深データ,1/5万海図 港湾A", "全体波高", "Smax,Ho,θo,全体Ho",
                                        "   10,2.500, 45.0,2.778", "   25,1.800,270.0,", "注意",
                                        "砕波の影響: H1/3/h=0.40>0.3 (Hoは過小の可能性)", "感度",
                                        "項目,刻み,Smax,θo(－),θo(+),Ho(－),Ho(+)", "波向,±5.0°,10,40.0,50.0,2.400,2.600"});
    ASSERT_NE(report.find(tail), std::string::npos);
    EXPECT_NE(report.find(sjisLines({"波高,±10%,10,45.0,45.0,2.250,2.750"})), std::string::npos);
    CaseReadError error;
    EXPECT_TRUE(readCaseReport(report, spreadingRelations(), error));
}

// A report open in Excel cannot be replaced until Excel lets go: a few tries,
// then a message that says what to do.
class HeldTargetPlatform : public RecordingPlatform {
public:
    int refusals = 0;
    int attempts = 0;
    bool replaceFile(const std::wstring& r, const std::wstring& t) override {
        return ++attempts > refusals && RecordingPlatform::replaceFile(r, t);
    }
    void pausePainting(std::chrono::milliseconds) override {}
};

TEST_F(CsvReport, AReportHeldOpenIsTriedAgainThenNamedWithWhatToDo) {
    const std::string path = earlierReport("held");
    HeldTargetPlatform held;
    held.refusals = 2;  // a scanner holding the new file for a moment
    EXPECT_EQ(writeResultCsv(nullptr, record(), widen(path)), 0);
    EXPECT_TRUE(held.warnings.empty());
    EXPECT_NE(readBytes(path).find("VORNEL"), std::string::npos);
    held.refusals = 1000;  // Excel
    held.attempts = 0;
    EXPECT_EQ(writeResultCsv(nullptr, record(), widen(path)), -1);
    EXPECT_EQ(held.attempts, 5);
    ASSERT_EQ(held.warnings.size(), 1u);
    EXPECT_NE(held.warnings[0].text.find(L"Excel などで開いていれば閉じてから、もう一度保存してください"),
              std::wstring::npos);
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    std::filesystem::remove(path);
}

TEST_F(CsvReport, ReadsBackIntoTheSameFieldsAndRefusesWhatIsNotAWholeReport) {
    ASSERT_EQ(writeResultCsv(nullptr, record(), widen(path)), 0);
    const std::string report = readBytes(path);
    CaseReadError error;
    const auto reopened = readCaseReport(report, spreadingRelations(), error);
    ASSERT_TRUE(reopened) << error.line;
    for (int id = 1500; id <= 1536; ++id) {
        std::wstring expected = id == 1511 ? L"" : params.texts[id];  // h/L0 is worked out again
        EXPECT_EQ(reopened->fieldTexts[id - 1500], expected) << id;
    }
    EXPECT_FALSE(reopened->diffractionOff);
    EXPECT_EQ(reopened->relationIndex, 1);
    EXPECT_EQ(reopened->title, L"港湾A");
    // A batch estimation's report: the same parameters, then its program line.
    const std::string batch = report.substr(0, report.find(platform_.toCp932(L"簡易逆推定結果"))) +
                              platform_.toCp932(L"プログラム,VORNEL 1.0.0,zelvo_v3.exe,2026-12-08 10:00:00\r\n一括推定\r\n");
    const auto fromBatch = readCaseReport(batch, spreadingRelations(), error);
    ASSERT_TRUE(fromBatch) << error.line;
    EXPECT_EQ(fromBatch->fieldTexts[1508 - 1500], params.texts[1508]);

    // Each fault names its line; a line of the file, not of its own making.
    const auto replaced = [&](const char* utf8From, const char* utf8To) {
        std::string text = report;
        const std::string from = platform_.toCp932(widen(utf8From)), to = platform_.toCp932(widen(utf8To));
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << utf8From;
        return text.replace(at, from.size(), to);
    };
    struct Case {
        std::string bytes;
        CaseReadError::Kind kind;
        int line;
    };
    const Case faults[] = {
        {"", CaseReadError::NotAReport, 1},
        {"Smax,Ho\r\n10,2.5\r\n", CaseReadError::NotAReport, 1},
        {report.substr(0, report.find(platform_.toCp932(L"簡易逆推定結果"))), CaseReadError::NotAReport, 37},
        {replaced("等深線の代表点\r\n", ""), CaseReadError::NotAReport, 12},
        {replaced("緯度, 35°29′30.0000″", "緯度, 95°29′30.0000″"), CaseReadError::OutOfRange, 13},
        {replaced("緯度, 35°29′30.0000″", "緯度, 35°29′60.0000″"), CaseReadError::OutOfRange, 13},
        {replaced("波高,2.00 m,周期,10.0 sec", "波高,2.00 m,周期,-1 sec"), CaseReadError::OutOfRange, 8},
        {replaced("水深,150.0 m", "水深,150.0"), CaseReadError::NotAReport, 29},
        {replaced("設定する\r\n", "たぶん\r\n"), CaseReadError::NotAReport, 19},
        {replaced("\r\nFixed\r\n", "\r\nGone\r\n"), CaseReadError::UnknownRelation, 32},
    };
    for (const Case& fault : faults) {
        CaseReadError e;
        EXPECT_FALSE(readCaseReport(fault.bytes, spreadingRelations(), e)) << fault.line;
        EXPECT_EQ(e.kind, fault.kind) << fault.line;
        EXPECT_EQ(e.line, fault.line);
    }
    // An LF-only copy (a report passed through another tool) still reads.
    std::string lf = report;
    lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
    EXPECT_TRUE(readCaseReport(lf, spreadingRelations(), error));
    const std::wstring message = caseReadMessage({CaseReadError::UnknownRelation, 32, L"Gone"}, L"C:\\a.csv");
    EXPECT_NE(message.find(L"C:\\a.csv"), std::wstring::npos);
    EXPECT_NE(message.find(L"32"), std::wstring::npos);
    EXPECT_NE(message.find(L"Gone"), std::wstring::npos);
}

TEST(CsvFileName, ExtensionAndFolderRules) {
    std::wstring folder;
    std::wstring name = L"C:\\work\\result";
    EXPECT_TRUE(acceptChosenCsvName(name, folder));  // appended: the dialog's prompt did not see this name
    EXPECT_EQ(name, L"C:\\work\\result.csv");
    EXPECT_EQ(folder, L"C:\\work");

    name = L"C:\\work\\result.txt";
    EXPECT_FALSE(acceptChosenCsvName(name, folder));
    EXPECT_EQ(name, L"C:\\work\\result.txt");

    // A dot in a folder (C:\Users\t.yamada) does not count: only the file name's.
    name = L"C:\\Users\\t.yamada\\Documents\\result";
    acceptChosenCsvName(name, folder);
    EXPECT_EQ(name, L"C:\\Users\\t.yamada\\Documents\\result.csv");
    EXPECT_EQ(folder, L"C:\\Users\\t.yamada\\Documents");
    name = L"C:\\Users\\t.yamada\\result.2026";  // the name's own dot keeps it as it is
    acceptChosenCsvName(name, folder);
    EXPECT_EQ(name, L"C:\\Users\\t.yamada\\result.2026");

    folder = L"kept";
    name = L"result";  // no folder: the last folder stays
    acceptChosenCsvName(name, folder);
    EXPECT_EQ(name, L"result.csv");
    EXPECT_EQ(folder, L"kept");

    name = L"C:\\" + std::wstring(251, L'a');  // 254 characters: ".csv" would not fit
    acceptChosenCsvName(name, folder);
    EXPECT_EQ(name.size(), 254u);

    const std::wstring filters = csvFilterList(L"Csv Files(*.csv)|*.csv|All Files(*.*)|*.*|");
    EXPECT_EQ(filters, std::wstring(L"Csv Files(*.csv)\0*.csv\0All Files(*.*)\0*.*\0", 42));
}

}  // namespace
}  // namespace vornel
