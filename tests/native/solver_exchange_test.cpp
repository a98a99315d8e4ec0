// The exchange with the solver, run for real: the test-only solver stands in
// for zelvo_v3.exe in a temporary program folder and hands back a prepared
// output file.
#include "estimation/solver_exchange.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "bathymetry/data_folder.h"
#include "estimation/params.h"
#include "estimation/result.h"
#include "estimation/solver_run.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/fake_dialog_fields.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

namespace fs = std::filesystem;

const WindowRef kDialog = reinterpret_cast<WindowRef>(static_cast<std::uintptr_t>(0x112));

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class SolverRun : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vornel_run_" + std::to_string(getpid()) + "_" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy_file(VORNEL_FAKE_SOLVER, folder_ / "zelvo_v3.exe");
        fs::permissions(folder_ / "zelvo_v3.exe", fs::perms::owner_all);
        resetAppState();
        dataFolders().programFolder = widen(folder_.string());
        resetEstimationParams();
        resetEstimationResult();
        EstimationParams& p = estimationParams();
        p.thetaCon = 200.0;
        p.shoreNormal = 10.0;
        p.diffractionPoint.depth = 5.0;
        p.quasiOffshorePoint.depth = 15.0;
        previousHook_ = setResultDialogHook([this](WindowRef owner) { hookOwners_.push_back(owner); });
    }
    void TearDown() override {
        setResultDialogHook(previousHook_);
        resetAppState();
        resetEstimationParams();
        resetEstimationResult();
        fs::remove_all(folder_);
    }

    int run(const std::string& title = "Case") { return runEstimation(kDialog, title, 2, 30.0, 1.5, 10.0, 45.0); }
    void prepareOutput(const std::string& bytes) { writeFile(folder_ / "fake-out.tmp", bytes); }

    // One warning under the run's caption, owned by the dialog.
    void expectOneWarning(const char* text) {
        ASSERT_EQ(rec_.warnings.size(), 1u);
        EXPECT_EQ(rec_.warnings[0].owner, kDialog);
        EXPECT_EQ(rec_.warnings[0].caption, widen("簡易逆推定の実行"));
        EXPECT_EQ(rec_.warnings[0].text, widen(text));
    }

    RecordingPlatform rec_;
    fs::path folder_;
    std::vector<WindowRef> hookOwners_;
    ResultDialogHook previousHook_;
};

const char kHeader[] = "  Smax      Ho   thetaO\n";

TEST_F(SolverRun, WritesTheInputFileByteForByte) {
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\n");
    ASSERT_EQ(run(""), 0);
    const std::string expected =
        "Test\r\nazim**|200.0\r\nangl**|190.0\r\nsit***| 30.0\r\nhh_B**|  5.0\r\nhh_A**| 15.0\r\n"
        "h13***| 1.50\r\nt13***|10.00\r\ndir***| 45.0\r\n";
    EXPECT_EQ(readFile(folder_ / "zelvo-in.txt"), expected);
    EXPECT_EQ(readFile(folder_ / "fake-seen-in.txt"), expected);  // what the solver saw
    EXPECT_TRUE(fs::exists(folder_ / "zelvo-out_Test.tmp"));      // an empty title runs as Test

    estimationParams().diffractionOff = 1;
    ASSERT_EQ(run("Off"), 0);
    EXPECT_EQ(readFile(folder_ / "zelvo-in.txt"),
              "Off\r\nazim**|200.0\r\nangl**|999.0\r\nsit***|  0.0\r\nhh_B**|  0.0\r\nhh_A**| 15.0\r\n"
              "h13***| 1.50\r\nt13***|10.00\r\ndir***| 45.0\r\n");
    EXPECT_TRUE(rec_.warnings.empty());
}

TEST_F(SolverRun, ReadsAllSectionsAndCallsTheResultDialogOnce) {
    prepareOutput(std::string(kHeader) +
                  "10 1.234 20.5\n"
                  "25\t0.9  347.0  extra tokens\n"
                  "\n"
                  "anything the solver writes\n"
                  "***** end of table\n"
                  "\t Case A\tsecond field\r\n"
                  "azim  200.0\n"
                  "angl  190.0\tunit\n"
                  "abc\n"
                  "123456\n"
                  "xxxxxx" +
                  std::string(40, 'v') + "\n");
    ASSERT_EQ(run(), 0);
    EXPECT_TRUE(rec_.warnings.empty());
    ASSERT_EQ(hookOwners_.size(), 1u);
    EXPECT_EQ(hookOwners_[0], kDialog);
    const EstimationResult& r = estimationResult();
    ASSERT_EQ(r.rowCount, 2);
    EXPECT_EQ(r.rows[0].smax, 10);
    EXPECT_DOUBLE_EQ(r.rows[0].ho, 1.234);
    EXPECT_DOUBLE_EQ(r.rows[0].thetaO, 20.5);
    EXPECT_EQ(r.rows[1].smax, 25);  // the fourth token is ignored
    EXPECT_DOUBLE_EQ(r.rows[1].thetaO, 347.0);
    EXPECT_STREQ(r.caseName, " Case A");  // leading tabs skipped, blanks kept
    ASSERT_EQ(r.valueCount, 3);           // "abc" and a line of six bytes give none
    EXPECT_STREQ(r.values[0], "200.0");
    EXPECT_STREQ(r.values[1], "190.0");
    EXPECT_EQ(std::string(r.values[2]), std::string(31, 'v'));
    EXPECT_DOUBLE_EQ(r.runDirection, 45.0);
    EXPECT_EQ(r.relationIndex, 2);
}

TEST_F(SolverRun, TableStopsAtTwentyRowsWithoutMarker) {
    std::string out = kHeader;
    for (int i = 0; i < 25; ++i) out += std::to_string(i + 1) + " 1.0 10.0\n";
    prepareOutput(out);
    ASSERT_EQ(run(), 0);
    const EstimationResult& r = estimationResult();
    EXPECT_EQ(r.rowCount, 20);
    EXPECT_EQ(r.rows[19].smax, 20);
    EXPECT_STREQ(r.caseName, "");
    EXPECT_EQ(r.valueCount, 0);
}

TEST_F(SolverRun, MarkerRightAfterTheTwentiethRowCounts) {
    std::string out = kHeader;
    for (int i = 0; i < 20; ++i) out += "10 1.0 10.0\n";
    prepareOutput(out + "*****\nTwenty\nlabel 1.5\n");
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(estimationResult().rowCount, 20);
    EXPECT_STREQ(estimationResult().caseName, "Twenty");
    EXPECT_EQ(estimationResult().valueCount, 1);
}

TEST_F(SolverRun, LinesThatEndTheTable) {
    struct Case {
        const char* ender;
        int rows;
    };
    for (const Case& c : {Case{"25 0.5\n", 1}, Case{"25 0.5 ***\n", 1}, Case{"*** 25 0.5 10\n", 1},
                          Case{"25 0.5 10 *\n", 3}, Case{"  \t\r\n", 1}}) {
        prepareOutput(std::string(kHeader) + "10 1.0 20.0\n" + c.ender + "30 1.0 20.0\n");
        ASSERT_EQ(run(), 0) << c.ender;
        EXPECT_EQ(estimationResult().rowCount, c.rows) << c.ender;
    }
}

TEST_F(SolverRun, MarkerThatEndsTheTableIsNotTheSectionMarker) {
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\n*****\nnot the name\n*****\nName\nlabel 7.25\n");
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(estimationResult().rowCount, 1);
    EXPECT_STREQ(estimationResult().caseName, "Name");
    ASSERT_EQ(estimationResult().valueCount, 1);
    EXPECT_STREQ(estimationResult().values[0], "7.25");
}

TEST_F(SolverRun, MissingMarkerLeavesNameAndValuesEmpty) {
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\nend\nCase\nlabel 1.0\n**** four only\n");
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(estimationResult().rowCount, 1);
    EXPECT_STREQ(estimationResult().caseName, "");
    EXPECT_EQ(estimationResult().valueCount, 0);
}

TEST_F(SolverRun, AtMostTwentyValues) {
    std::string out = std::string(kHeader) + "10 1.0 20.0\nx\n*****\nName\n";
    for (int i = 0; i < 25; ++i) out += "label " + std::to_string(i) + "\n";
    prepareOutput(out);
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(estimationResult().valueCount, 20);
    EXPECT_STREQ(estimationResult().values[19], "19");
}

TEST_F(SolverRun, OutputWithoutRows) {
    prepareOutput(std::string(kHeader) + "*****\nName\nlabel 1\n");
    EXPECT_EQ(run(), -1);
    expectOneWarning("正しく計算できませんでした");
    EXPECT_TRUE(hookOwners_.empty());
    EXPECT_EQ(estimationResult().rowCount, 0);
}

TEST_F(SolverRun, OnlyTheListingFileLeft) {
    EstimationResult& r = estimationResult();
    r.rowCount = 1;
    r.rows[0].smax = 75;
    copyField(r.caseName, "previous");
    writeFile(folder_ / "fake-out.txt", "listing\n");
    // A stale output of an earlier run must not pass for this run's.
    writeFile(folder_ / "zelvo-out_Case.tmp", std::string(kHeader) + "10 1.0 20.0\n");
    EXPECT_EQ(run(), 1);
    expectOneWarning("出力ファイルをオープンできません");
    EXPECT_TRUE(hookOwners_.empty());
    EXPECT_EQ(r.rowCount, 1);
    EXPECT_EQ(r.rows[0].smax, 75);
    EXPECT_STREQ(r.caseName, "previous");
    EXPECT_DOUBLE_EQ(r.runDirection, 45.0);
    EXPECT_EQ(r.relationIndex, 2);
}

TEST_F(SolverRun, MissingSolverKeepsTheNewInputFile) {
    fs::remove(folder_ / "zelvo_v3.exe");
    EXPECT_EQ(run(), -1);
    expectOneWarning("簡易逆推定プログラム(zelvo_v3.exe)がありません。");
    EXPECT_TRUE(fs::exists(folder_ / "zelvo-in.txt"));
    EXPECT_DOUBLE_EQ(estimationResult().runDirection, 45.0);
}

TEST_F(SolverRun, ASolverThatNeverReturnsIsEndedAtTheLimitAndItsOutputIgnored) {
    // A stand-in that leaves an output behind, then never ends.
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\n");
    writeFile(folder_ / "zelvo_v3.exe", "#!/bin/sh\ncp fake-out.tmp zelvo-out_Case.tmp\necho $$ > pid.txt\nexec sleep 30\n");
    fs::permissions(folder_ / "zelvo_v3.exe", fs::perms::owner_all);
    const auto shipped = solverTimeLimit();
    EXPECT_EQ(shipped, std::chrono::seconds(60));
    solverTimeLimit() = std::chrono::milliseconds(500);
    const int outcome = run();
    solverTimeLimit() = shipped;

    EXPECT_EQ(outcome, -1);
    ASSERT_EQ(rec_.warnings.size(), 1u);
    EXPECT_EQ(rec_.warnings[0].caption, widen("簡易逆推定の実行"));
    const std::wstring& text = rec_.warnings[0].text;
    EXPECT_NE(text.find(L"1秒以内に終わらなかった"), std::wstring::npos);
    EXPECT_NE(text.find(dataFolders().programFolder), std::wstring::npos) << "names the program";
    EXPECT_NE(text.find(L"zelvo_v3.exe"), std::wstring::npos) << "names the program";
    EXPECT_TRUE(hookOwners_.empty()) << "the output it left was read";
    const pid_t pid = std::stoi(readFile(folder_ / "pid.txt"));
    EXPECT_NE(kill(pid, 0), 0) << "the solver is still running";

    // Every run asks for no console window and the limit in force.
    ASSERT_EQ(rec_.runs.size(), 1u);
    EXPECT_TRUE(rec_.runs[0].withoutConsoleWindow);
    EXPECT_EQ(rec_.runs[0].timeLimit, std::chrono::milliseconds(500));
}

// Each of these leaves the record of the run on screen as it was and says why.
TEST_F(SolverRun, ExitStatusOldOutputsAndABusyFolderAreFailedRuns) {
    EstimationResult& r = estimationResult();
    r.rowCount = 1;
    r.rows[0].smax = 75;
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\n");

    // The solver's own reason for a non-zero status, not "cannot open".
    writeFile(folder_ / "fake-exit", "3");
    EXPECT_EQ(run(), -1);
    ASSERT_EQ(rec_.warnings.size(), 1u);
    EXPECT_NE(rec_.warnings[0].text.find(L"終了コード 3: 出力ファイルを書き込めませんでした"), std::wstring::npos);
    EXPECT_EQ(r.rows[0].smax, 75);
    fs::remove(folder_ / "fake-exit");

    // An old output that cannot be deleted would be read as this run's.
    fs::remove(folder_ / "zelvo-out_Case.tmp");
    fs::create_directories(folder_ / "zelvo-out_Case.tmp" / "held");
    rec_.warnings.clear();
    fs::remove(folder_ / "fake-seen-in.txt");
    EXPECT_EQ(run(), -1);
    ASSERT_EQ(rec_.warnings.size(), 1u);
    EXPECT_NE(rec_.warnings[0].text.find(L"前回の出力ファイルを削除できない"), std::wstring::npos);
    EXPECT_NE(rec_.warnings[0].text.find(L"zelvo-out_Case.tmp"), std::wstring::npos);
    EXPECT_FALSE(fs::exists(folder_ / "fake-seen-in.txt")) << "the solver ran";
    fs::remove_all(folder_ / "zelvo-out_Case.tmp");

    // Another VORNEL's run holds the folder: waited for, then refused.
    const auto shipped = runLockWait();
    runLockWait() = std::chrono::milliseconds(300);
    bool held = false;
    auto other = platform().tryLockFile(widen((folder_ / "zelvo-run.lock").string()), held);
    ASSERT_TRUE(other);
    rec_.warnings.clear();
    EXPECT_EQ(run(), -1);
    ASSERT_EQ(rec_.warnings.size(), 1u);
    EXPECT_NE(rec_.warnings[0].text.find(L"別の計算"), std::wstring::npos);
    EXPECT_FALSE(fs::exists(folder_ / "fake-seen-in.txt")) << "the solver ran beside the other run";
    // Released while this run waits: it goes ahead.
    runLockWait() = std::chrono::milliseconds(5000);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.reset();
    });
    rec_.warnings.clear();
    EXPECT_EQ(run(), 0);
    release.join();
    EXPECT_TRUE(rec_.warnings.empty());
    runLockWait() = shipped;
    EXPECT_EQ(r.rows[0].smax, 10);
}

// The record of the run on screen: the numbers sent, the dialog's texts as
// they were, the solver's response curves and the validity notes.
TEST_F(SolverRun, ASuccessfulRunKeepsItsCaseAndCurves) {
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\n");
    writeFile(folder_ / "fake-out.crv",
              "zelvo_v3 response 1.0.0\r\ncandidates 1\r\n10 1.000 20.0 0.81000\r\ncurves 1\r\n"
              "10 110.5 190.000 0.500000 0.90000\r\nend\r\n");
    FakeDialogFields fields;
    fields.texts[1508] = L"1.5";
    fields.texts[1601] = L"関係式A";
    const FieldSnapshot snapshot(fields, reportFieldIds());
    fields.texts[1508] = L"9.9";  // typed after the start: not the run's
    estimationParams().quasiOffshorePoint.depth = 4.0;  // H1/3 / h = 0.375 and h/L0 = 0.026: both noted
    ASSERT_EQ(runEstimation(kDialog, "Case", 2, 30.0, 1.5, 10.0, 45.0, &snapshot), 0);
    RunRecord& record = runRecord();
    ASSERT_TRUE(record.valid);
    EXPECT_EQ(record.fields.text(1508), L"1.5");
    EXPECT_EQ(record.fields.text(1601), L"関係式A");
    EXPECT_DOUBLE_EQ(record.solverCase.pointDepth, 4.0);
    EXPECT_DOUBLE_EQ(record.solverCase.thetaDiff, 190.0);
    ASSERT_EQ(record.curves.candidates.size(), 1u);
    EXPECT_DOUBLE_EQ(record.curves.candidates[0].share, 0.81);
    ASSERT_EQ(record.notes.size(), 2u);
    EXPECT_NE(record.notes[0].find("H1/3/h=0.38"), std::string::npos);
    EXPECT_NE(record.notes[1].find("h/L0=0.026"), std::string::npos);
    EXPECT_EQ(record.runTime.size(), 19u);

    // A later run whose output cannot be read leaves the record alone.
    fs::remove(folder_ / "fake-out.tmp");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(runRecord().fields.text(1508), L"1.5");
    EXPECT_EQ(runRecord().curves.candidates.size(), 1u);
}

TEST_F(SolverRun, FailedCheckWritesNothing) {
    estimationParams().thetaCon = NOT_SET_ANGLE;
    EXPECT_EQ(run(), -1);
    expectOneWarning("平行等深線の垂線の方位角(θcon)が範囲(0-360)外です。(999.9)\n");
    EXPECT_FALSE(fs::exists(folder_ / "zelvo-in.txt"));
    EXPECT_DOUBLE_EQ(estimationResult().runDirection, 0.0);
}

TEST_F(SolverRun, TitleLeadingOutOfTheFolderIsRefused) {
    fs::create_directories(folder_ / "sub");
    writeFile(folder_ / "victim.tmp", "keep");
    EXPECT_EQ(run("sub/../../victim"), -1);
    expectOneWarning("タイトルにファイル名に使えない文字が含まれています。\n");
    EXPECT_TRUE(fs::exists(folder_ / "victim.tmp"));
    EXPECT_FALSE(fs::exists(folder_ / "zelvo-in.txt"));
}

TEST_F(SolverRun, InputFileThatCannotBeCreated) {
    dataFolders().programFolder = widen((folder_ / "missing").string());
    EXPECT_EQ(run(), -1);
    expectOneWarning("入力ファイル(zelvo-in.txt)が作成できません。");
}

TEST_F(SolverRun, OverlongPathIsRefusedNamingTheFile) {
    dataFolders().programFolder = widen(folder_.string()) + L"/" + std::wstring(240, L'x');
    EXPECT_EQ(run(), -1);
    ASSERT_EQ(rec_.warnings.size(), 1u);
    EXPECT_EQ(rec_.warnings[0].caption, widen("簡易逆推定の実行"));
    EXPECT_NE(rec_.warnings[0].text.find(L"zelvo-in.txt"), std::wstring::npos);
}

TEST_F(SolverRun, WithoutHookNothingMoreHappens) {
    setResultDialogHook(nullptr);
    prepareOutput(std::string(kHeader) + "10 1.0 20.0\n");
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(hookOwners_.empty());
    EXPECT_EQ(estimationResult().rowCount, 1);
}

}  // namespace
}  // namespace vornel
