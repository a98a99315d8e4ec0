#include "estimation/run_record.h"

#include <ctime>

#include "platform/text.h"

namespace vornel {

namespace {

RunRecord record;
DataSourceDescriber describer;

// Numeric fields 1500 ... 1536, the title and the relation list.
constexpr int kFirstField = 1500;
constexpr int kLastField = 1536;
constexpr int kTitle = 1539;
constexpr int kRelationList = 1601;

}  // namespace

FieldSnapshot::FieldSnapshot(DialogFields& live, const std::vector<int>& ids) {
    for (const int id : ids) texts_[id] = live.text(id);
}

std::wstring FieldSnapshot::text(int id) {
    const auto found = texts_.find(id);
    return found == texts_.end() ? std::wstring() : found->second;
}

void setDataSourceDescriber(DataSourceDescriber d) {
    describer = std::move(d);
}

std::wstring describeDataSource() {
    return describer ? describer() : std::wstring();
}

RunRecord& runRecord() {
    return record;
}

void resetRunRecord() {
    record = RunRecord();
}

std::vector<int> reportFieldIds() {
    std::vector<int> ids;
    for (int id = kFirstField; id <= kLastField; ++id) ids.push_back(id);
    ids.push_back(kTitle);
    ids.push_back(kRelationList);
    return ids;
}

std::string localTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace vornel
