#include "batch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "inverse.h"
#include "program_version.h"
#include "response_file.h"
#include "result_files.h"

namespace zelvo {

namespace {

// Records of one period, run by one thread with one set of sweeps.
struct Chunk {
    double period;
    std::vector<std::size_t> records;
};

// Groups the runnable records by period. A period with very many records is split, so that a file
// of few periods still keeps every core busy; each piece then evaluates its sweeps afresh.
std::vector<Chunk> chunksByPeriod(const BatchInput& input, unsigned threads) {
    std::map<double, std::vector<std::size_t>> byPeriod;
    std::size_t runnable = 0;
    for (std::size_t i = 0; i < input.records.size(); ++i) {
        if (!input.records[i].error.empty()) continue;
        byPeriod[input.records[i].period].push_back(i);
        ++runnable;
    }
    const std::size_t largest = std::max<std::size_t>(64, (runnable + 8 * threads - 1) / (8 * threads));
    std::vector<Chunk> chunks;
    for (auto& [period, records] : byPeriod) {
        for (std::size_t start = 0; start < records.size(); start += largest) {
            const std::size_t end = std::min(records.size(), start + largest);
            chunks.push_back(Chunk{period, std::vector<std::size_t>(records.begin() + start, records.begin() + end)});
        }
    }
    // The largest first: the last chunks to start are short, so the threads finish together.
    std::stable_sort(chunks.begin(), chunks.end(),
                     [](const Chunk& a, const Chunk& b) { return a.records.size() > b.records.size(); });
    return chunks;
}

std::string recordLines(std::size_t number, const std::vector<Candidate>& candidates) {
    const std::string prefix = std::to_string(number) + " ";
    if (candidates.empty()) return prefix + "none\r\n";
    std::string out;
    for (const Candidate& c : candidates) out += prefix + candidateTokens(c) + "\r\n";
    return out;
}

}  // namespace

std::string batchOutputFileName(const std::string& title) {
    return "zelvo-batch-out_" + title + ".txt";
}
std::string batchPartFileName(const std::string& title) {
    return "zelvo-batch-out_" + title + ".part";
}

std::vector<std::string> estimateRecords(const BatchInput& input, unsigned threads) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::string> lines(input.records.size());
    for (std::size_t i = 0; i < input.records.size(); ++i)
        if (!input.records[i].error.empty())
            lines[i] = std::to_string(i + 1) + " error " + input.records[i].error + "\r\n";

    const std::vector<Chunk> chunks = chunksByPeriod(input, threads);
    const Site site = input.observation(BatchRecord{}).site;
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failureLock;
    auto work = [&] {
        try {
            for (std::size_t c = next++; c < chunks.size(); c = next++) {
                SiteResponse response(site, chunks[c].period);
                for (std::size_t i : chunks[c].records) {
                    const BatchRecord& r = input.records[i];
                    lines[i] = recordLines(i + 1, estimateOffshoreWaves(response, r.height, r.direction));
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureLock);
            if (!failure) failure = std::current_exception();
            next = chunks.size();  // the others stop after their chunk in hand
        }
    };
    const unsigned count = static_cast<unsigned>(std::min<std::size_t>(threads, chunks.size()));
    std::vector<std::thread> workers;
    for (unsigned t = 1; t < count; ++t) {
        try {
            workers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // no more threads to be had: the ones running take the rest
        }
    }
    work();
    for (std::thread& w : workers) w.join();
    if (failure) std::rethrow_exception(failure);
    return lines;
}

std::string formatBatchOutput(const std::vector<std::string>& recordLines) {
    std::string out;
    appendf(out, "%s batch %s\r\n", kProgramName, kProgramVersion);
    for (const std::string& lines : recordLines) out += lines;
    appendf(out, "end %zu\r\n", recordLines.size());
    return out;
}

}  // namespace zelvo
