// The solver's output file zelvo-out_<title>.tmp, read into the result record.
#include <cstdio>
#include <cstring>

#include "estimation/result.h"
#include "estimation/solver_exchange.h"
#include "fuzz_support.h"
#include "platform/line_reader.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("zelvo-out_Test.tmp", data, size);
    std::FILE* file = std::fopen((fuzz::programFolder() + "/zelvo-out_Test.tmp").c_str(), "rb");
    if (!file) __builtin_trap();
    resetEstimationResult();
    EstimationResult& result = estimationResult();
    {
        LineReader reader(file);
        readSolverOutput(reader, result);
    }
    std::fclose(file);
    if (result.rowCount < 0 || result.rowCount > kMaxResultRows) __builtin_trap();
    if (result.valueCount < 0 || result.valueCount > kMaxEchoValues) __builtin_trap();
    if (!std::memchr(result.caseName, 0, sizeof result.caseName)) __builtin_trap();
    for (int i = 0; i < result.valueCount; ++i)
        if (!std::memchr(result.values[i], 0, sizeof result.values[i])) __builtin_trap();
    return 0;
}
