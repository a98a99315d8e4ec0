// The captions and message texts of the bathymetry loaders, in one place.
//
// Captions are UTF-8 literals; the texts that quote a data value take the
// 8-bit name as it is held in the records and convert it for the box.
#pragma once

#include <string>
#include <string_view>

namespace vornel::bathymetry_text {

inline constexpr const char* kCaptionHarbourList = "kowan.lstの読込";
inline constexpr const char* kCaptionConCheck = "*.conファイルのチェック";
inline constexpr const char* kCaptionContourLoad = "水深データの読込";
// Both chart tables report under this caption.
inline constexpr const char* kCaptionChartTable = "otable.5の読込";
inline constexpr const char* kCaptionChart50kData = "5万分の1データのチェック";
inline constexpr const char* kCaptionChart200kData = "20万分の1データのチェック";
inline constexpr const char* kCaptionChart50kFile = "5万分の1ファイルのチェック";
inline constexpr const char* kCaptionChart200kFile = "20万分の1ファイルのチェック";

// "既定数を超えるデータが有ります。[kowan.lst](N>200)"
std::wstring harbourListOverCapacity(int announced, int capacity);
// "ファイル名が長すぎます[name]"
std::wstring fileNameTooLong(std::string_view ansiName);
// "フォルダー名が長すぎます[name]": a region folder whose name does not fit a record.
std::wstring folderNameTooLong(std::string_view ansiName);
// "ファイル名にShift_JISで表せない文字が含まれています[name]" and the same for a
// folder: a name that no 8-bit record, index line or menu could hold unchanged.
std::wstring fileNameNotShiftJis(std::wstring_view name);
std::wstring folderNameNotShiftJis(std::wstring_view name);
// "既定数を超えるファイルが存在します。[name](>200)"
std::wstring tooManyContourFiles(std::string_view ansiName, int capacity);
// "既定数を超える地域フォルダーが存在します。[name](>20)"
std::wstring tooManyRegions(std::string_view ansiName, int capacity);
// "name.conファイルが存在しません"
std::wstring contourFileMissing(std::string_view ansiName);
// "既定数を超える等深線データが有ります。[kowan.lst](>5000000)"
std::wstring contourStoreFull(int capacity);
// "既定数を超える水深の種類が有ります。[file](>10000)"
std::wstring depthLevelsFull(std::string_view ansiFile, int capacity);
// "既定数を超えるデータが有ります。[name](>capacity)": table lines and unlisted chart files.
std::wstring chartOverCapacity(std::string_view ansiName, int capacity);
// "codeファイルが存在しません"
std::wstring chartFileMissing(std::string_view ansiCode);

}  // namespace vornel::bathymetry_text
