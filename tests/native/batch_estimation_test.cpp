// The batch estimation run for real: the test-only solver (no batch mode, so
// one record at a time) and the real solver's batch mode, each in a temporary
// program folder.
#include "estimation/batch_estimation.h"
#include "estimation/sensitivity_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/text.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class BatchEstimation : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vornel_batch_" + std::to_string(getpid()) + "_" +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        site_.folder = widen(folder_.string());
        site_.site.title = "Site";
        site_.site.thetaCon = 59.0;
        site_.site.pointDepth = 24.1;
    }
    void TearDown() override { fs::remove_all(folder_); }

    void useSolver(const char* exe) {
        fs::copy_file(exe, folder_ / "zelvo_v3.exe", fs::copy_options::overwrite_existing);
        fs::permissions(folder_ / "zelvo_v3.exe", fs::perms::owner_all);
    }

    RecordingPlatform rec_;
    fs::path folder_;
    BatchSite site_;
};

TEST(BatchOutput, ReadsEveryRecordAndRefusesACutFile) {
    std::vector<BatchRecordResult> r;
    ASSERT_TRUE(readBatchOutput("zelvo_v3 batch 1.0.0\r\n1 10 2.849 93.7 0.97000\r\n1 25 2.757 86.4 0.99000\r\n"
                                "2 none\r\n3 error period out of range\r\nend 3\r\n",
                                3, r));
    ASSERT_EQ(r[0].candidates.size(), 2u);
    EXPECT_EQ(r[0].outcome, BatchOutcome::Done);
    EXPECT_EQ(r[0].candidates[1].row.smax, 25);
    EXPECT_DOUBLE_EQ(r[0].candidates[1].share, 0.99);
    EXPECT_EQ(r[1].outcome, BatchOutcome::NoCandidate);
    EXPECT_EQ(r[2].outcome, BatchOutcome::Failed);
    EXPECT_EQ(r[2].failure, "(period out of range)");
    // Cut before its end, a wrong count, a record beyond the batch, another file.
    EXPECT_FALSE(readBatchOutput("zelvo_v3 batch\r\n1 none\r\n", 1, r));
    EXPECT_FALSE(readBatchOutput("zelvo_v3 batch\r\n1 none\r\nend 2\r\n", 1, r));
    EXPECT_FALSE(readBatchOutput("zelvo_v3 batch\r\n4 none\r\nend 3\r\n", 3, r));
    EXPECT_FALSE(readBatchOutput("smax ho thetaO\r\n10 1 2\r\n", 1, r));
    // A record the solver left out is a failed record, not a silent gap.
    ASSERT_TRUE(readBatchOutput("zelvo_v3 batch\r\n2 none\r\nend 2\r\n", 2, r));
    EXPECT_EQ(r[0].outcome, BatchOutcome::Failed);

    WaveRecord a;
    a.height = 1.5;
    a.period = 8.0;
    a.direction = 22.5;
    SolverCase site;
    site.title = "T";
    site.thetaCon = 59.0;
    site.pointDepth = 24.1;
    EXPECT_EQ(batchInputText(site, {&a}),
              "T\r\nazim**| 59.0\r\nangl**|999.0\r\nsit***|  0.0\r\nhh_B**|  0.0\r\nhh_A**| 24.1\r\n1.50 8.00 22.5\r\n");
}

// A solver without a batch mode runs the first record as a single case; the
// rest go one by one; records that cannot run are never run; a stop leaves
// the records not done marked stopped.
TEST_F(BatchEstimation, WithoutABatchModeEveryRecordRunsOnItsOwn) {
    useSolver(VORNEL_FAKE_SOLVER);
    writeFile(folder_ / "fake-out.tmp", "  Smax      Ho   thetaO\n10 2.000 80.0\n\n*****\nSite\n");
    const WaveRecordFile file =
        readWaveRecords(L"a 1.0 8.0 45\nb - 8.0 45\nc 1.2 7.0 50\nd 1.3 9.0 55\ne 1.4 6.0 60\n");
    ASSERT_EQ(file.records.size(), 5u);
    std::vector<std::size_t> seen;
    BatchObserver observer;
    observer.progress = [&](std::size_t done, std::size_t total) {
        EXPECT_EQ(total, 4u);
        seen.push_back(done);
    };
    observer.timeLimit = std::chrono::seconds(10);
    const BatchRun run = runBatchEstimation(site_, file.records, observer);
    EXPECT_EQ(run.mode, BatchMode::OneByOne);
    EXPECT_FALSE(run.stopped);
    EXPECT_EQ(run.fatal.failure, SolverFailure::None);
    EXPECT_EQ(run.results[1].outcome, BatchOutcome::NotRun);
    for (const std::size_t i : {0u, 2u, 3u, 4u}) {
        ASSERT_EQ(run.results[i].outcome, BatchOutcome::Done) << i;
        EXPECT_DOUBLE_EQ(run.results[i].candidates.at(0).row.ho, 2.0);
    }
    EXPECT_EQ(seen.back(), 4u);
    // Sorted by period: the last record run was the one of 9 s.
    std::ifstream seenInput(folder_ / "fake-seen-in.txt");
    std::string text((std::istreambuf_iterator<char>(seenInput)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("t13***| 9.00"), std::string::npos);

    // 中止 pressed once two records are done.
    bool stop = false;
    observer.progress = [&](std::size_t done, std::size_t) { stop = done >= 2; };
    observer.stopRequested = [&] { return stop; };
    const BatchRun stopped = runBatchEstimation(site_, file.records, observer);
    EXPECT_TRUE(stopped.stopped);
    int done = 0, notDone = 0;
    for (const BatchRecordResult& r : stopped.results) {
        done += r.outcome == BatchOutcome::Done;
        notDone += r.outcome == BatchOutcome::Stopped;
    }
    EXPECT_EQ(done, 2);
    EXPECT_EQ(notDone, 2);

    // No solver at all ends the batch with that failure.
    fs::remove(folder_ / "zelvo_v3.exe");
    const BatchRun missing = runBatchEstimation(site_, file.records, BatchObserver());
    EXPECT_EQ(missing.fatal.failure, SolverFailure::SolverMissing);
}

#ifdef VORNEL_REAL_SOLVER
// The real solver's batch mode gives what single runs give, to the digits printed.
TEST_F(BatchEstimation, TheSolversBatchModeEqualsSingleRuns) {
    useSolver(VORNEL_REAL_SOLVER);
    std::wstring text;
    const double directions[] = {80.0, 40.0, 120.0, 59.0, 100.0, 20.0};
    for (int i = 0; i < 60; ++i)
        text += wformat(L"r%d %.2f %.1f %.1f\n", i, 0.5 + 0.07 * i, 4.0 + 0.2 * i, directions[i % 6] + 0.3 * i);
    const WaveRecordFile file = readWaveRecords(text);
    ASSERT_EQ(file.records.size(), 60u);
    const BatchRun run = runBatchEstimation(site_, file.records, BatchObserver());
    if (run.mode == BatchMode::OneByOne) GTEST_SKIP() << "the solver has no batch mode yet";
    ASSERT_EQ(run.mode, BatchMode::SolverBatch);
    ASSERT_EQ(run.fatal.failure, SolverFailure::None);
    int withCandidates = 0;
    for (std::size_t i = 0; i < file.records.size(); i += 7) {
        SolverCase c = site_.site;
        c.height = file.records[i].height;
        c.period = file.records[i].period;
        c.direction = file.records[i].direction;
        const SolverRun single = runSolverCase(site_.folder, c, SolverRunSettings());
        ASSERT_EQ(single.failure, SolverFailure::None);
        const auto& batch = run.results[i].candidates;
        ASSERT_EQ(static_cast<int>(batch.size()), single.result.rowCount) << "record " << i;
        for (int k = 0; k < single.result.rowCount; ++k) {
            EXPECT_EQ(batch[k].row.smax, single.result.rows[k].smax);
            EXPECT_EQ(format("%.3f %.1f", batch[k].row.ho, batch[k].row.thetaO),
                      format("%.3f %.1f", single.result.rows[k].ho, single.result.rows[k].thetaO));
        }
        withCandidates += single.result.rowCount > 0;
    }
    EXPECT_GT(withCandidates, 3);
}

// The sensitivity's perturbed runs: each pairs with what a run of the moved
// input gives, and the run on screen keeps its files and its input.
TEST_F(BatchEstimation, SensitivityRunsEqualRunsOfTheMovedInputs) {
    useSolver(VORNEL_REAL_SOLVER);
    SolverCase c = site_.site;
    c.height = 2.0;
    c.period = 10.0;
    c.direction = 80.0;
    const SolverRun base = runSolverCase(site_.folder, c, SolverRunSettings());
    ASSERT_EQ(base.failure, SolverFailure::None);
    ASSERT_GT(base.result.rowCount, 0);
    std::ifstream input(folder_ / "zelvo-in.txt", std::ios::binary);
    const std::string inputBefore((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    writeFile(folder_ / "zelvo-out_Site.tmp", "the run on screen\n");

    std::vector<ResultRow> rows(base.result.rows, base.result.rows + base.result.rowCount);
    std::vector<std::string> steps;
    std::vector<SensitivityFailure> failures;
    const SensitivityTable t = computeSensitivity(
        site_.folder, c, rows, Uncertainties(), SolverRunSettings(),
        [&](int, int total, const std::string& what) {
            EXPECT_EQ(total, 8);  // four inputs run twice; no tip, and the height needs no run
            steps.push_back(what);
        },
        failures);
    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(steps.front(), "波向 −5.0°");
    ASSERT_EQ(t.candidates.size(), rows.size());
    const auto read = [&](const char* name) {
        std::ifstream in(folder_ / name, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(read("zelvo-in.txt"), inputBefore);
    EXPECT_EQ(read("zelvo-out_Site.tmp"), "the run on screen\n");
    EXPECT_FALSE(fs::exists(folder_ / "zelvo-out_VORNEL-sensitivity.tmp"));
    EXPECT_FALSE(fs::exists(folder_ / "zelvo-out_VORNEL-sensitivity.crv"));

    SolverCase moved = c;
    moved.period = 11.0;
    const SolverRun direct = runSolverCase(site_.folder, moved, SolverRunSettings());
    const PairedCandidate expected =
        pairCandidate(rows[0], direct.result.rows, direct.result.rowCount);
    ASSERT_TRUE(expected.found);
    EXPECT_EQ(format("%.3f %.1f", t.candidates[0].plus[SENS_PERIOD].ho, t.candidates[0].plus[SENS_PERIOD].thetaO),
              format("%.3f %.1f", expected.ho, expected.thetaO));
}
#endif

}  // namespace
}  // namespace vornel
