// The batch estimation of a whole wave record for one site: every record that
// can run is estimated, through the solver's batch mode where it offers one
// (many records in one process, sorted by period so that the solver can reuse
// what depends only on it) and otherwise one record at a time through the
// usual exchange. A stop ends the work after the record (or the batch) in hand.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "estimation/batch_report.h"
#include "estimation/run_record.h"
#include "estimation/solver_case.h"
#include "estimation/solver_run.h"
#include "estimation/wave_records.h"

namespace vornel {

// What the parameter dialog hands over for a batch: the site as 計算開始 would
// run it (without a wave), the relation, and its texts for the report.
struct BatchStart {
    bool ok = false;
    SolverCase site;
    int relationIndex = 0;
    FieldSnapshot fields;
    bool diffractionOff = false;
    double offshoreDepth = 0.0;
    double tipDistance = 0.0;  // breakwater tip to quasi-offshore point, m (NaN: not known)
};

// How many records of each kind a batch had, for its summary line (UTF-8):
// 「8760件: 推定 8650 / 候補なし 20 / 欠測 80 / …」.
std::string batchSummaryText(const std::vector<WaveRecord>& records, const std::vector<BatchRecordResult>& results);

// The report's name beside the records file: <name without extension>_逆推定.csv.
std::wstring batchReportPath(const std::wstring& recordsPath);

struct BatchSite {
    std::wstring folder;  // the program folder
    SolverCase site;      // height, period and direction are the records'
};

// What the caller is told and asked while the batch runs.
struct BatchObserver {
    std::function<void(std::size_t done, std::size_t total)> progress;
    std::function<bool()> stopRequested;
    WindowRef inputWindow = nullptr;  // its input (中止) is served during runs
    std::chrono::milliseconds timeLimit{60'000};
};

enum class BatchMode { Unknown, SolverBatch, OneByOne };

struct BatchRun {
    std::vector<BatchRecordResult> results;  // one per record, in the records' order
    BatchMode mode = BatchMode::Unknown;
    bool stopped = false;
    // A failure that ends the whole batch (no solver, a busy folder, an input
    // that cannot be written): the records not done are marked stopped.
    SolverRun fatal;
};

// The solver's batch input: lines 1 to 6 of zelvo-in.txt for the site, then
// "%.2f %.2f %.1f" per record.
std::string batchInputText(const SolverCase& site, const std::vector<const WaveRecord*>& records);

// Reads zelvo-batch-out_<title>.txt into `results` (one per record of the
// batch); false when the file is not complete ("end <n>" for `count` records).
bool readBatchOutput(std::string_view bytes, std::size_t count, std::vector<BatchRecordResult>& results);

BatchRun runBatchEstimation(const BatchSite& site, const std::vector<WaveRecord>& records,
                            const BatchObserver& observer);

// Sets each candidate's mark (◯) by relation `relationIndex` at the wavelength
// of the record's period at `offshoreDepth`.
void markAgreements(const std::vector<WaveRecord>& records, std::vector<BatchRecordResult>& results,
                    int relationIndex, double offshoreDepth);

}  // namespace vornel
