// The solver's response file zelvo-out_<title>.crv and its batch output
// zelvo-batch-out_<title>.txt, as VORNEL reads them.
#include <cstdio>

#include "estimation/batch_estimation.h"
#include "estimation/response_curves.h"
#include "fuzz_support.h"
#include "platform/line_reader.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("zelvo-out_Test.crv", data, size);
    std::FILE* file = std::fopen((fuzz::programFolder() + "/zelvo-out_Test.crv").c_str(), "rb");
    if (!file) __builtin_trap();
    ResponseCurves curves;
    bool read = false;
    {
        LineReader reader(file);
        read = readResponseCurves(reader, curves);
    }
    std::fclose(file);
    if (!read && !curves.empty()) __builtin_trap();
    if (curves.curves.size() > kMaxResponseCurves) __builtin_trap();
    for (const ResponseCurve& c : curves.curves)
        if (c.samples.size() > kMaxResponseSamples) __builtin_trap();
    for (std::size_t i = 0; i < curves.candidates.size(); ++i) {
        const ResultRow row{curves.candidates[i].smax, curves.candidates[i].ho, curves.candidates[i].thetaO, 0};
        (void)wholeSeaHeight(row.ho, candidateShare(curves, static_cast<int>(i), row));
    }

    // The same bytes as a batch's output for a batch of 1 to 64 records.
    const std::size_t count = size > 0 ? data[0] % 64 + 1 : 1;
    std::vector<BatchRecordResult> results;
    const bool batch = readBatchOutput(std::string_view(reinterpret_cast<const char*>(data), size), count, results);
    if (results.size() != count) __builtin_trap();
    if (batch)
        for (const BatchRecordResult& r : results)
            if (r.candidates.size() > static_cast<std::size_t>(kMaxResultRows)) __builtin_trap();
    return 0;
}
