// The batch input zelvo-batch-in.txt: the site of one case and many observed waves. Lines 1-6 are
// lines 1-6 of zelvo-in.txt (the title, azim**|, angl**|, sit***|, hh_B**|, hh_A**|); then one
// record a line, "<h13> <t13> <dir>" separated by blanks or tabs. CR LF or LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "case_input.h"

namespace zelvo {

inline constexpr const char* kBatchInputFileName = "zelvo-batch-in.txt";
inline constexpr std::size_t kMaxBatchRecords = 100000;
// 100,000 records as the main program writes them take about 2 MB; a larger file is not one it wrote.
inline constexpr std::size_t kMaxBatchInputBytes = 8 * 1024 * 1024;
// The header lines: the title and the five tagged lines of the site.
inline constexpr int kBatchSiteFields = 5;

struct BatchRecord {
    double height = 0.0;
    double period = 0.0;
    double direction = 0.0;
    std::string error;  // why the single case would refuse these values (ASCII, one line); empty: runs
};

struct BatchInput {
    CaseInput site;  // the title and the site's values; the wave's values are the records'
    std::vector<BatchRecord> records;
    // The case of one record: zelvo-in.txt with that record's wave.
    Observation observation(const BatchRecord& record) const;
};

// Parses the whole file. Fails (with one line in `why`) only for the file as a whole: a header
// that zelvo-in.txt would not accept, or more than kMaxBatchRecords records. A record line that
// does not hold three numbers, or values the single case refuses, becomes a record with its
// error. Blank lines at the end of the file are no records; a blank line between records is one.
bool parseBatchInput(std::string_view bytes, BatchInput& out, std::string& why);

}  // namespace zelvo
