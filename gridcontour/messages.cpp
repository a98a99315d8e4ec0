#include "messages.h"

#include <cstdio>

namespace gridcontour::msg {

namespace {

// A token from the file as it may be shown: printable ASCII, at most 24 characters.
std::string shown(std::string_view token) {
    std::string text;
    for (char c : token.substr(0, 24)) text += (c >= 0x20 && c < 0x7f) ? c : '?';
    if (token.size() > 24) text += "...";
    return text;
}

std::string format(const char* pattern, long long a, long long b = 0, long long c = 0) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, a, b, c);
    return buffer;
}

}  // namespace

std::string lineTooLong() { return "行が長すぎます。グリッドのテキストファイルではありません。"; }
std::string notANumber(std::string_view token) { return "数値ではない値「" + shown(token) + "」があります。"; }
std::string gridCut(long long row, long long rows) {
    if (row == 0) return "ヘッダーの途中でファイルが終わっています。";
    return format("ファイルが途中で終わっています（%lld行のうち%lld行目の途中）。", rows, row);
}
std::string extraValues(long long columns, long long rows) {
    return format("ヘッダーの大きさ（ncols %lld × nrows %lld）より多くの値があります。", columns, rows);
}
std::string headerIncomplete() {
    return "ヘッダーに ncols, nrows, xllcorner/xllcenter, yllcorner/yllcenter, cellsize（または dx, dy）がそろっていません。";
}
std::string unknownHeaderKey(std::string_view key) { return "ヘッダーの項目「" + shown(key) + "」は分かりません。"; }
std::string badGridSize(std::string_view key, std::string_view value) {
    return "グリッドの大きさ（" + shown(key) + " " + shown(value) +
           "）が扱える範囲（2～50,000,000列、2～2,000,000,000行）にありません。";
}
std::string badCellSize() { return "セルの大きさ（cellsize, dx, dy）は正の数でなければなりません。"; }
std::string noValues() { return "グリッドの値がありません。"; }
std::string tooSmall() { return "グリッドには2行2列以上の格子点が必要です。"; }
std::string notRegular() {
    return "XYZグリッドが規則的な格子ではありません（行ごとに同じx座標の列、等間隔の行が必要です）。";
}
std::string notXyzLine() { return "XYZの行は「x y z」の3つの数値でなければなりません。"; }

std::string usage() {
    return "使い方: vornel-contour.exe グリッド [出力フォルダー] [--depths] [--levels=L1,L2,...] [--zone=N] "
           "[--nodata=V]";
}
std::string badOption(std::string_view option) { return "オプション「" + shown(option) + "」は分かりません。"; }
std::string badLevels(std::string_view text) {
    return "--levels の「" + shown(text) + "」は 0 より大きく 10000 未満の水深（m）ではありません。";
}
std::string tooManyLevels(std::size_t count, std::size_t limit) {
    return format("水深が%lld本あります。VORNEL が読めるのは%lld本までです。", static_cast<long long>(count),
                  static_cast<long long>(limit));
}
std::string badZone(std::string_view text) {
    return "--zone の「" + shown(text) + "」は平面直角座標系の番号（1～19）ではありません。";
}
std::string cannotOpenGrid() { return "グリッドファイルを開けません。"; }
std::string outOfMemory() { return "メモリが足りません。グリッドを小さくしてください。"; }
std::string noContour(std::size_t levels) {
    return format("%lld本の水深のどれにも等深線がありません。値の向き（標高か水深か: --depths）と --levels "
                  "を確かめてください。",
                  static_cast<long long>(levels));
}
std::string tooManyPoints(long long points, std::size_t levels, long long limit) {
    return format("等深線の点が%lld点（水深%lld本）になり、VORNEL が読める%lld点を超えます。粗いグリッドにするか、"
                  "--levels で水深の数を減らしてください。何も書きませんでした。",
                  points, static_cast<long long>(levels), limit);
}
std::string outsideColumns(double lat, double lon) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer,
                  "緯度 %.6f, 経度 %.6f はデータの桁に収まりません（緯度 -9.999999～89.999999、経度 -99.999999～"
                  "359.999999）。座標が度でないときは --zone を指定してください。",
                  lat, lon);
    return buffer;
}
std::string cannotWriteFolder(std::string_view detail) {
    return "出力フォルダーに書き込めません（" + std::string(detail) + "）。";
}
std::string allCodesUsed() {
    return "出力フォルダーでは M7901～M7999 がすべて使われています。別のフォルダーを指定してください。";
}
std::string written(long long points, long long lines, std::size_t levels) {
    return format("等深線 %lld本（水深%lld種類、%lld点）を書きました。", lines, static_cast<long long>(levels), points);
}

}  // namespace gridcontour::msg
