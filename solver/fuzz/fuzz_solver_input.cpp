// The solver's input readers: zelvo-in.txt and the batch input zelvo-batch-in.txt, whole files
// from any bytes. A record that runs holds values the single case accepts.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "solver/batch_input.h"
#include "solver/case_input.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string why;

    CaseInput single;
    if (parseCaseInput(bytes, single, why)) {
        for (double v : single.values)
            if (!std::isfinite(v)) __builtin_trap();
        if (single.values[POINT_DEPTH] <= 0.0 || single.values[PERIOD] <= 0.0) __builtin_trap();
        checkTitle(single.title, why);
    } else if (why.empty() || why.find('\n') != std::string::npos) {
        __builtin_trap();  // a refusal says why, in one line
    }

    BatchInput batch;
    why.clear();
    if (parseBatchInput(bytes, batch, why)) {
        if (batch.records.size() > kMaxBatchRecords) __builtin_trap();
        for (const BatchRecord& r : batch.records) {
            if (r.error.find_first_of("\r\n") != std::string::npos) __builtin_trap();
            for (unsigned char c : r.error)
                if (c < 0x20 || c >= 0x80) __builtin_trap();  // the output is ASCII
            if (!r.error.empty()) continue;
            std::string again;
            if (!std::isfinite(r.direction) || !checkWave(r.height, r.period, "h", "t", again)) __builtin_trap();
        }
    } else if (why.empty() || why.find('\n') != std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
