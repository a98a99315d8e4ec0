#include "batch_input.h"

namespace zelvo {

namespace {

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

BatchRecord parseRecord(std::string_view line) {
    BatchRecord r;
    const std::vector<std::string_view> fields = fieldsOf(line);
    if (fields.size() != 3) {
        r.error = fields.empty() ? "empty line" : "expected three numbers <h13> <t13> <dir>, got " +
                                                      std::to_string(fields.size()) + " fields";
        return r;
    }
    double* values[3] = {&r.height, &r.period, &r.direction};
    const char* names[3] = {"h13", "t13", "dir"};
    for (int i = 0; i < 3; ++i) {
        // The field itself is not echoed: it may hold any bytes, and the output is ASCII.
        if (!parseNumber(fields[i], *values[i])) {
            r.error = std::string(names[i]) + " is not a number";
            return r;
        }
    }
    checkWave(r.height, r.period, names[0], names[1], r.error);
    return r;
}

}  // namespace

Observation BatchInput::observation(const BatchRecord& record) const {
    CaseInput c = site;
    c.values[HEIGHT] = record.height;
    c.values[PERIOD] = record.period;
    c.values[DIRECTION] = record.direction;
    return c.observation();
}

bool parseBatchInput(std::string_view bytes, BatchInput& out, std::string& why) {
    std::vector<std::string_view> lines = splitLines(bytes);
    if (!parseCaseHeader(lines, kBatchSiteFields, kBatchInputFileName, out.site, why)) return false;
    while (lines.size() > 1 + kBatchSiteFields && fieldsOf(lines.back()).empty()) lines.pop_back();
    const std::size_t count = lines.size() - (1 + kBatchSiteFields);
    if (count > kMaxBatchRecords) {
        why = std::string(kBatchInputFileName) + " holds " + std::to_string(count) + " records, more than " +
              std::to_string(kMaxBatchRecords);
        return false;
    }
    out.records.clear();
    out.records.reserve(count);
    for (std::size_t i = 1 + kBatchSiteFields; i < lines.size(); ++i) out.records.push_back(parseRecord(lines[i]));
    return true;
}

}  // namespace zelvo
