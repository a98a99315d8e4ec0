#include "bathymetry/messages.h"

#include "platform/platform.h"
#include "platform/text.h"

namespace vornel::bathymetry_text {

namespace {

// prefix + the 8-bit (CP932) name + suffix.
std::wstring quote(const char* prefix, std::string_view ansiName, const char* suffix) {
    std::wstring text = widen(prefix);
    text += platform().fromCp932(ansiName);
    text += widen(suffix);
    return text;
}

std::wstring capacitySuffix(int capacity) {
    return L"](>" + std::to_wstring(capacity) + L")";
}

}  // namespace

std::wstring harbourListOverCapacity(int announced, int capacity) {
    return widen("既定数を超えるデータが有ります。[kowan.lst](") + std::to_wstring(announced) + L">" +
           std::to_wstring(capacity) + L")";
}

std::wstring fileNameTooLong(std::string_view ansiName) {
    return quote("ファイル名が長すぎます[", ansiName, "]");
}

std::wstring folderNameTooLong(std::string_view ansiName) {
    return quote("フォルダー名が長すぎます[", ansiName, "]");
}

std::wstring fileNameNotShiftJis(std::wstring_view name) {
    return widen("ファイル名にShift_JISで表せない文字が含まれています[") + std::wstring(name) + L"]";
}

std::wstring folderNameNotShiftJis(std::wstring_view name) {
    return widen("フォルダー名にShift_JISで表せない文字が含まれています[") + std::wstring(name) + L"]";
}

std::wstring tooManyContourFiles(std::string_view ansiName, int capacity) {
    return quote("既定数を超えるファイルが存在します。[", ansiName, "") + capacitySuffix(capacity);
}

std::wstring tooManyRegions(std::string_view ansiName, int capacity) {
    return quote("既定数を超える地域フォルダーが存在します。[", ansiName, "") + capacitySuffix(capacity);
}

std::wstring contourFileMissing(std::string_view ansiName) {
    return quote("", ansiName, ".conファイルが存在しません");
}

std::wstring contourStoreFull(int capacity) {
    return widen("既定数を超える等深線データが有ります。[kowan.lst](>") + std::to_wstring(capacity) + L")";
}

std::wstring depthLevelsFull(std::string_view ansiFile, int capacity) {
    return quote("既定数を超える水深の種類が有ります。[", ansiFile, "") + capacitySuffix(capacity);
}

std::wstring chartOverCapacity(std::string_view ansiName, int capacity) {
    return quote("既定数を超えるデータが有ります。[", ansiName, "") + capacitySuffix(capacity);
}

std::wstring chartFileMissing(std::string_view ansiCode) {
    return quote("", ansiCode, "ファイルが存在しません");
}

}  // namespace vornel::bathymetry_text
