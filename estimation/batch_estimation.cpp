#include "estimation/batch_estimation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "estimation/response_curves.h"
#include "estimation/result_presenter.h"
#include "estimation/solver_output.h"
#include "estimation/wave.h"
#include "platform/line_reader.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

using Clock = std::chrono::steady_clock;

// The first batch is small: it also finds out whether the solver has a batch
// mode. Later batches aim at about two seconds each, so that the progress
// moves and 中止 waits little.
constexpr std::size_t kFirstBatch = 40;
constexpr std::size_t kSmallestBatch = 20;
constexpr std::size_t kLargestBatch = 2000;
constexpr double kSecondsPerBatch = 2.0;

bool writeWhole(const std::wstring& path, const std::string& text) {
    ScopedFile file(platform().openFile(path, "wb"));
    if (!file) return false;
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    return file.close() && written;
}

std::string readWhole(const std::wstring& path) {
    std::string bytes;
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) return bytes;
    char buffer[1 << 14];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, n);
    return bytes;
}

// The case of one record at the site, as a single run sends it.
SolverCase recordCase(const SolverCase& site, const WaveRecord& r) {
    SolverCase c = site;
    c.height = r.height;
    c.period = r.period;
    c.direction = r.direction;
    return c;
}

// A single run's outcome as a record's result; false when the failure ends
// the whole batch.
bool takeSingleRun(const SolverRun& run, BatchRecordResult& out) {
    switch (run.failure) {
        case SolverFailure::None:
            out.candidates.clear();
            for (int i = 0; i < std::clamp(run.result.rowCount, 0, kMaxResultRows); ++i) {
                const double share = candidateShare(run.curves, i, run.result.rows[i]);
                out.candidates.push_back({run.result.rows[i], std::isfinite(share) ? share : -1.0});
            }
            out.outcome = out.candidates.empty() ? BatchOutcome::NoCandidate : BatchOutcome::Done;
            return true;
        case SolverFailure::TimedOut:
            out.outcome = BatchOutcome::Failed;
            out.failure = "(時間切れ)";
            return true;
        case SolverFailure::ExitStatus:
            out.outcome = BatchOutcome::Failed;
            out.failure = format("(終了コード %d: %s)", run.exitCode, exitStatusReason(run.exitCode));
            return true;
        case SolverFailure::CannotOpenOutput:
            out.outcome = BatchOutcome::Failed;
            out.failure = "(出力ファイルなし)";
            return true;
        case SolverFailure::Stopped:
            out.outcome = BatchOutcome::Stopped;
            return true;
        default:
            return false;
    }
}

enum class BatchAttempt { Done, NotOffered, Stopped, Fatal };

class BatchRunner {
public:
    BatchRunner(const BatchSite& site, const std::vector<WaveRecord>& records, const BatchObserver& observer,
                BatchRun& out)
        : site_(site), records_(records), observer_(observer), out_(out) {}

    void run() {
        out_.results.assign(records_.size(), BatchRecordResult());
        for (std::size_t i = 0; i < records_.size(); ++i) {
            if (records_[i].status == RecordStatus::Ok)
                order_.push_back(i);
            else
                out_.results[i].outcome = BatchOutcome::NotRun;
        }
        // By period: the solver's work for one period serves every record of it.
        std::stable_sort(order_.begin(), order_.end(),
                         [&](std::size_t a, std::size_t b) { return records_[a].period < records_[b].period; });
        if (!buildPaths()) return;
        report();
        std::size_t size = kFirstBatch;
        while (next_ < order_.size()) {
            if (stopRequested()) {
                out_.stopped = true;
                break;
            }
            if (out_.mode == BatchMode::OneByOne) {
                if (!runOne()) break;
                continue;
            }
            const std::size_t count = std::min(size, order_.size() - next_);
            const Clock::time_point start = Clock::now();
            const BatchAttempt attempt = runBatch(count);
            if (attempt == BatchAttempt::Stopped) {
                out_.stopped = true;
                break;
            }
            if (attempt == BatchAttempt::Fatal) break;
            if (attempt == BatchAttempt::NotOffered) continue;  // one by one from here
            const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
            const double perSecond = count / std::max(seconds, 1e-3);
            size = std::clamp<std::size_t>(static_cast<std::size_t>(perSecond * kSecondsPerBatch), kSmallestBatch,
                                           kLargestBatch);
        }
    }

private:
    bool stopRequested() const { return observer_.stopRequested && observer_.stopRequested(); }

    void report() {
        if (observer_.progress) observer_.progress(next_, order_.size());
    }

    void fail(SolverFailure failure, const std::wstring& path, int exitCode = 0) {
        out_.fatal.failure = failure;
        out_.fatal.path = path;
        out_.fatal.exitCode = exitCode;
    }

    bool buildPaths() {
        const std::wstring& folder = site_.folder;
        const std::wstring title = platform().fromCp932(site_.site.title);
        for (auto [out, name] : {std::pair{&batchIn_, std::wstring(L"zelvo-batch-in.txt")},
                                 std::pair{&batchOut_, L"zelvo-batch-out_" + title + L".txt"},
                                 std::pair{&singleIn_, std::wstring(L"zelvo-in.txt")},
                                 std::pair{&singleOut_, L"zelvo-out_" + title + L".tmp"},
                                 std::pair{&curves_, L"zelvo-out_" + title + L".crv"},
                                 std::pair{&solver_, std::wstring(L"zelvo_v3.exe")}}) {
            if (!joinPath(*out, folder, name)) {
                fail(SolverFailure::PathTooLong, folder + L"\\" + name);
                return false;
            }
        }
        return true;
    }

    // One record through the usual exchange.
    bool runOne() {
        const std::size_t index = order_[next_];
        SolverRunSettings settings;
        settings.timeLimit = observer_.timeLimit;
        settings.inputWindow = observer_.inputWindow;
        settings.stopRequested = observer_.stopRequested;
        const SolverRun run = runSolverCase(site_.folder, recordCase(site_.site, records_[index]), settings);
        if (!takeSingleRun(run, out_.results[index])) {
            out_.fatal = run;
            return false;
        }
        if (run.failure == SolverFailure::Stopped) {
            out_.stopped = true;
            return false;
        }
        ++next_;
        report();
        return true;
    }

    // `count` records from next_ in one run of the solver's batch mode. The
    // first time, zelvo-in.txt holds the first of them, so that a solver
    // without a batch mode (which ignores the argument) runs that record
    // instead: its single output tells the two apart, and no run is lost.
    BatchAttempt runBatch(std::size_t count) {
        Platform& p = platform();
        const FolderLock lock = lockSolverFolder(site_.folder);
        if (lock.busy) {
            fail(SolverFailure::Busy, site_.folder);
            return BatchAttempt::Fatal;
        }
        std::vector<const WaveRecord*> chunk;
        for (std::size_t k = 0; k < count; ++k) chunk.push_back(&records_[order_[next_ + k]]);
        const bool probing = out_.mode == BatchMode::Unknown;
        if (!writeWhole(batchIn_, batchInputText(site_.site, chunk)) ||
            (probing && !writeWhole(singleIn_, solverInputText(recordCase(site_.site, *chunk[0]))))) {
            fail(SolverFailure::CannotWriteInput, probing ? singleIn_ : batchIn_);
            return BatchAttempt::Fatal;
        }
        if (!p.fileExists(solver_)) {
            fail(SolverFailure::SolverMissing, solver_);
            return BatchAttempt::Fatal;
        }
        std::wstring held;
        const std::wstring title = p.fromCp932(site_.site.title);
        if ((probing && !deleteOldOutputs(site_.folder, title, held)) ||
            (!p.deleteFile(batchOut_) && p.fileExists(batchOut_))) {
            fail(SolverFailure::CannotDeleteOld, held.empty() ? batchOut_ : held);
            return BatchAttempt::Fatal;
        }

        ProgramRunOptions options;
        options.arguments = {L"--batch"};
        options.timeLimit = observer_.timeLimit;
        options.inputWindow = observer_.inputWindow;
        options.stopRequested = observer_.stopRequested;
        ProgramRunResult ran;
        {
            WaitCursor wait;
            ran = p.runProgram(solver_, site_.folder, options);
        }
        switch (ran.outcome) {
            case ProgramRun::NotStarted:
                fail(SolverFailure::NotStarted, solver_);
                return BatchAttempt::Fatal;
            case ProgramRun::TimedOut:
                fail(SolverFailure::TimedOut, solver_);
                return BatchAttempt::Fatal;
            case ProgramRun::Stopped:
                return BatchAttempt::Stopped;
            case ProgramRun::Finished:
                break;
        }
        if (ran.exitCode != 0) {
            fail(SolverFailure::ExitStatus, solver_, ran.exitCode);
            return BatchAttempt::Fatal;
        }
        if (p.fileExists(batchOut_)) {
            std::vector<BatchRecordResult> results;
            if (!readBatchOutput(readWhole(batchOut_), count, results)) {
                fail(SolverFailure::CannotOpenOutput, batchOut_);
                return BatchAttempt::Fatal;
            }
            out_.mode = BatchMode::SolverBatch;
            for (std::size_t k = 0; k < count; ++k) out_.results[order_[next_ + k]] = std::move(results[k]);
            next_ += count;
            report();
            return BatchAttempt::Done;
        }
        if (!probing || !p.fileExists(singleOut_)) {
            fail(SolverFailure::CannotOpenOutput, probing ? singleOut_ : batchOut_);
            return BatchAttempt::Fatal;
        }
        // A solver without a batch mode ran the first record as a single case.
        out_.mode = BatchMode::OneByOne;
        SolverRun single;
        if (ScopedFile output{p.openFile(singleOut_, "rb")}) {
            LineReader reader(output.get());
            readSolverOutput(reader, single.result);
        }
        if (ScopedFile curves{p.openFile(curves_, "rb")}) {
            LineReader reader(curves.get());
            readResponseCurves(reader, single.curves);
        }
        takeSingleRun(single, out_.results[order_[next_]]);
        ++next_;
        report();
        return BatchAttempt::NotOffered;
    }

    const BatchSite& site_;
    const std::vector<WaveRecord>& records_;
    const BatchObserver& observer_;
    BatchRun& out_;
    std::vector<std::size_t> order_;
    std::size_t next_ = 0;
    std::wstring batchIn_, batchOut_, singleIn_, singleOut_, curves_, solver_;
};

}  // namespace

std::string batchInputText(const SolverCase& site, const std::vector<const WaveRecord*>& records) {
    // Lines 1 to 6 are those of a single run's input.
    const std::string single = solverInputText(site);
    std::size_t end = 0;
    for (int line = 0; line < 6; ++line) end = single.find("\r\n", end) + 2;
    std::string text = single.substr(0, end);
    for (const WaveRecord* r : records) text += format("%.2f %.2f %.1f\r\n", r->height, r->period, r->direction);
    return text;
}

bool readBatchOutput(std::string_view bytes, std::size_t count, std::vector<BatchRecordResult>& results) {
    results.assign(count, BatchRecordResult());
    std::vector<bool> seen(count, false);
    bool first = true, ended = false;
    while (!bytes.empty() && !ended) {
        const std::size_t eol = bytes.find('\n');
        const std::string_view line = bytes.substr(0, eol);
        bytes.remove_prefix(eol == std::string_view::npos ? bytes.size() : eol + 1);
        const std::vector<std::string_view> t = solverFileTokens(line);
        if (first) {
            first = false;
            if (t.empty() || !t[0].starts_with("zelvo")) return false;
            continue;
        }
        if (t.empty()) continue;
        double value = 0.0;
        if (t[0] == "end") {
            ended = t.size() == 2 && solverFileNumber(t[1], value) && value == static_cast<double>(count);
            if (!ended) return false;
            break;
        }
        if (!solverFileNumber(t[0], value) || value < 1 || value > static_cast<double>(count) ||
            value != std::floor(value) || t.size() < 2)
            return false;
        const std::size_t index = static_cast<std::size_t>(value) - 1;
        BatchRecordResult& r = results[index];
        seen[index] = true;
        if (t[1] == "none") {
            if (r.candidates.empty()) r.outcome = BatchOutcome::NoCandidate;
            continue;
        }
        if (t[1] == "error") {
            r.outcome = BatchOutcome::Failed;
            std::string why;
            for (std::size_t k = 2; k < t.size(); ++k) why += (why.empty() ? "" : " ") + std::string(t[k]);
            r.failure = "(" + why + ")";
            continue;
        }
        double smax = 0.0, ho = 0.0, thetaO = 0.0, share = -1.0;
        if (t.size() < 4 || !solverFileNumber(t[1], smax) || !solverFileNumber(t[2], ho) ||
            !solverFileNumber(t[3], thetaO))
            return false;
        // Smax is a whole concentration parameter; anything else is not the solver's line.
        if (!(smax >= 1.0 && smax <= 1000.0) || smax != std::floor(smax)) return false;
        if (t.size() >= 5 && !solverFileNumber(t[4], share)) return false;
        if (r.candidates.size() < static_cast<std::size_t>(kMaxResultRows))
            r.candidates.push_back({ResultRow{static_cast<int>(smax), ho, thetaO, 0}, share});
        r.outcome = BatchOutcome::Done;
    }
    if (!ended) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (!seen[i]) {
            results[i].outcome = BatchOutcome::Failed;
            results[i].failure = "(出力なし)";
        }
    }
    return true;
}

BatchRun runBatchEstimation(const BatchSite& site, const std::vector<WaveRecord>& records,
                            const BatchObserver& observer) {
    BatchRun out;
    BatchRunner(site, records, observer, out).run();
    return out;
}

std::string batchSummaryText(const std::vector<WaveRecord>& records, const std::vector<BatchRecordResult>& results) {
    std::size_t estimated = 0, none = 0, missing = 0, outOfRange = 0, unreadable = 0, stopped = 0, failed = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        switch (records[i].status) {
            case RecordStatus::Missing:
                ++missing;
                continue;
            case RecordStatus::OutOfRange:
                ++outOfRange;
                continue;
            case RecordStatus::Unreadable:
                ++unreadable;
                continue;
            case RecordStatus::Ok:
                break;
        }
        const BatchOutcome outcome = i < results.size() ? results[i].outcome : BatchOutcome::Stopped;
        estimated += outcome == BatchOutcome::Done;
        none += outcome == BatchOutcome::NoCandidate;
        failed += outcome == BatchOutcome::Failed;
        stopped += outcome == BatchOutcome::Stopped || outcome == BatchOutcome::NotRun;
    }
    // Counts as unsigned long long: "%zu" is not in every C runtime Windows has.
    const auto n = [](std::size_t v) { return static_cast<unsigned long long>(v); };
    std::string text = format("%llu件: 推定 %llu / 候補なし %llu", n(records.size()), n(estimated), n(none));
    if (missing) text += format(" / 欠測 %llu", n(missing));
    if (outOfRange) text += format(" / 範囲外 %llu", n(outOfRange));
    if (unreadable) text += format(" / 読めない行 %llu", n(unreadable));
    if (failed) text += format(" / 計算失敗 %llu", n(failed));
    if (stopped) text += format(" / 中止 %llu", n(stopped));
    return text;
}

std::wstring batchReportPath(const std::wstring& recordsPath) {
    const std::size_t slash = recordsPath.find_last_of(L"\\/");
    const std::size_t nameStart = slash == std::wstring::npos ? 0 : slash + 1;
    std::size_t dot = recordsPath.rfind(L'.');
    if (dot == std::wstring::npos || dot < nameStart) dot = recordsPath.size();
    return recordsPath.substr(0, dot) + L"_逆推定.csv";
}

void markAgreements(const std::vector<WaveRecord>& records, std::vector<BatchRecordResult>& results,
                    int relationIndex, double offshoreDepth) {
    for (std::size_t i = 0; i < records.size() && i < results.size(); ++i) {
        const double L = relationIndex >= 1 ? waveLengthAtDepth(records[i].period, offshoreDepth) : 0.0;
        for (BatchCandidate& c : results[i].candidates)
            c.row.mark = relationIndex >= 1 ? estimateSmax(c.row, relationIndex, L).mark : 0;
    }
}

}  // namespace vornel
