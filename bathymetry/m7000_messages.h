// The captions and message texts of the M7000 loaders and the folder search.
#pragma once

#include <string>
#include <string_view>

namespace vornel::m7000_text {

inline constexpr const char* kCaptionLoad = "M7000水深データの読込";
inline constexpr const char* kCaptionSeriesList = "M7000リストの読込";
inline constexpr const char* kCaptionSearch = "M7000シリーズデータの検索";

// "既定数を超える等深線データが有ります。(>5000000)"
std::wstring pointBufferFull(int capacity);
// "既定数を超えるM7000シリーズリストが有ります。(>100)"
std::wstring seriesListFull(int capacity);
// "既定数を超えるM7000シリーズデータが有ります。(>100)"
std::wstring dataSetListFull(int capacity);
// "既定数を超える水深の種類が有ります。[file](>10000)"
std::wstring depthLevelsFull(std::string_view ansiFile, int capacity);

}  // namespace vornel::m7000_text
