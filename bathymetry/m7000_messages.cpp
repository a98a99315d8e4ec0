#include "bathymetry/m7000_messages.h"

#include "bathymetry/messages.h"
#include "platform/text.h"

namespace vornel::m7000_text {

namespace {
std::wstring overCapacity(const char* what, int capacity) {
    return widen(what) + L"(>" + std::to_wstring(capacity) + L")";
}
}  // namespace

std::wstring pointBufferFull(int capacity) {
    return overCapacity("既定数を超える等深線データが有ります。", capacity);
}

std::wstring seriesListFull(int capacity) {
    return overCapacity("既定数を超えるM7000シリーズリストが有ります。", capacity);
}

std::wstring dataSetListFull(int capacity) {
    return overCapacity("既定数を超えるM7000シリーズデータが有ります。", capacity);
}

std::wstring depthLevelsFull(std::string_view ansiFile, int capacity) {
    return bathymetry_text::depthLevelsFull(ansiFile, capacity);
}

}  // namespace vornel::m7000_text
