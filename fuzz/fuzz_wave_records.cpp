// A gauge's records file for the batch estimation: decoded by its byte order
// mark or its bytes, then read line by line.
#include "estimation/wave_records.h"
#include "fuzz_support.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::programFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = decodeRecordsText(std::string_view(reinterpret_cast<const char*>(data), size));
    const WaveRecordFile file = readWaveRecords(text);
    if (file.records.size() > kMaxWaveRecords) __builtin_trap();
    if (file.outcome != RecordsRead::Ok && !file.records.empty()) __builtin_trap();
    for (const WaveRecord& r : file.records) {
        // A record that runs has values the solver takes.
        if (r.status == RecordStatus::Ok &&
            !(r.height > 0.0 && r.height <= 99.0 && r.period > 0.0 && r.period <= 99.0 && r.direction >= 0.0 &&
              r.direction < 360.0))
            __builtin_trap();
        if (r.line < 1) __builtin_trap();
    }
    return 0;
}
