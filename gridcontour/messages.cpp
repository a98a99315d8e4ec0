#include "messages.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// A value from the grid as typed back on the command line: the shortest text
// that reads as the same number.
std::string valueText(double value) {
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    return std::string(digits, end);
}

std::string fixed(double value, int decimals) {
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.*f", decimals, value);
    return digits;
}

// The command that turns a grid in another coordinate system into one that is
// read as it is: degrees of JGD2011, or the same plane rectangular system.
std::string warpCommand(int epsg, const std::string& grid, const std::string& stem, const std::string& source = "") {
    return "gdalwarp " + source + "-t_srs EPSG:" + std::to_string(epsg) + " -r bilinear -of AAIGrid \"" + grid +
           "\" \"" + stem + "_jgd2011.asc\"";
}

// A share in whole per cent that reads 0 % or 100 % only when it is.
std::string percent(long long part, long long whole) {
    if (whole <= 0 || part <= 0) return "0%";
    if (part >= whole) return "100%";
    const double share = std::min(99.0, std::max(1.0, std::round(100.0 * static_cast<double>(part) / static_cast<double>(whole))));
    return fixed(share, 0) + "%";
}

constexpr const char* kNothingWritten = "何も書きませんでした。";

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
    return "XYZグリッドが規則的な格子ではありません（点が等間隔の格子の上にあり、行ごとにまとまって順に並んでいる必要が"
           "あります）。";
}
std::string notXyzLine() { return "XYZの行は「x y z」の3つの数値でなければなりません。"; }
std::string duplicatePoint() { return "同じ格子点がもう一度あります。"; }
std::string scatteredPoints(long long points, double columns, double rows) {
    return "XYZ の点" + grouped(points) + "個が規則的な格子に並んでいません（格子にすると" +
           grouped(static_cast<long long>(std::min(columns, 9e18))) + "列 × " +
           grouped(static_cast<long long>(std::min(rows, 9e18))) +
           "行）。ばらばらの測深点は、GDAL の gdal_grid などで格子にしてから使ってください。";
}

namespace {

std::string translateCommand(const std::string& source, const std::string& stem) {
    return "gdal_translate -of AAIGrid \"" + source + "\" \"" + stem + ".asc\"";
}
constexpr const char* kTextGrids = "vornel-contour が読むのはテキストのグリッド（ESRI ASCII グリッド .asc、XYZ）です。";

}  // namespace

std::string geoTiff(const std::string& name, const std::string& stem) {
    return "GeoTIFF のファイルです。" + std::string(kTextGrids) + "GDAL で変換してください: " + translateCommand(name, stem);
}
std::string netCdf(const std::string& name, const std::string& stem) {
    return "netCDF のファイルです。" + std::string(kTextGrids) + "GDAL で変換してください: " + translateCommand(name, stem) +
           "（変数がいくつもあるときは NETCDF:\"" + name + "\":elevation のように変数名を付けます）";
}
std::string surferGrid(const std::string& name, const std::string& stem) {
    return "Surfer のグリッドです。" + std::string(kTextGrids) + "GDAL で変換してください: " + translateCommand(name, stem);
}
std::string binaryFile(const std::string& name, const std::string& stem) {
    return "テキストのファイルではありません。" + std::string(kTextGrids) + "GDAL で読める形式なら変換してください: " +
           translateCommand(name, stem);
}
std::string zipFile() { return "zip のファイルです。展開して、中のグリッドのファイルを指定してください。"; }
std::string utf16Text() {
    return "UTF-16 で保存されたテキストです。メモ帳の「名前を付けて保存」で文字コードを「UTF-8」にして保存し直してください。";
}
std::string folderGiven() { return "フォルダーが指定されています。グリッドのファイルを指定してください。"; }

std::string usage() {
    return "使い方: vornel-contour.exe グリッド [出力フォルダー] [--depths] [--levels=L1,L2,...] [--zone=N] "
           "[--nodata=V] [--area=S,W,N,E]（説明は --help）";
}
std::string help() {
    return "使い方: vornel-contour.exe グリッド [出力フォルダー] [--depths] [--levels=L1,L2,...] [--zone=N] [--nodata=V] "
           "[--area=S,W,N,E]\n"
           "水深のグリッドを等深線にして、VORNEL が開ける M7000 のデータ（出力フォルダーの M79NN_<グリッド名>.txt）を書きます。\n"
           "  グリッド          ESRI ASCII グリッド（.asc）か XYZ（.xyz、.csv）。横に .prj があれば座標系をそこから読みます。\n"
           "  出力フォルダー    省くとグリッドと同じフォルダー。\n"
           "  --depths          値は水深（m、下向きに正）。付けないときは標高（m、海面より下が負）として読みます。\n"
           "  --levels=L1,...   等深線を引く水深（m）。既定は 20 m まで 1 m ごと、50 m まで 5 m、200 m まで 10 m、"
           "1000 m まで 50 m、その先 500 m ごと。\n"
           "  --zone=N          x、y は平面直角座標系 N（1～19）の座標（m、x が東、y が北）。平面直角座標の .prj があれば不要。\n"
           "  --nodata=V        値 V の点はデータなし（nan も可）。ヘッダーの NODATA_value より優先します。\n"
           "  --area=S,W,N,E    この範囲（度: 南端,西端,北端,東端）だけを変換します。\n"
           "  -h, --help        この説明。\n"
           "値の向きを取り違えたグリッド、データなしの値が残ったグリッド、日本の海域の外に来るグリッドは、何も書かずに理由を"
           "示します。";
}
std::string badOption(std::string_view option) { return "オプション「" + shown(option) + "」は分かりません。"; }
std::string extraArgument(std::string_view argument) {
    return "「" + std::string(argument.substr(0, 200)) + "」は分かりません（グリッドと出力フォルダーのほかに指定があります）。";
}
std::string missingValue(std::string_view option) {
    return std::string(option) + " の値がありません（例: " + std::string(option) + "=値）。";
}
std::string badNodata(std::string_view value) {
    return "--nodata の「" + shown(value) + "」は数値ではありません（例: --nodata=-9999、--nodata=nan）。";
}
std::string badArea(std::string_view value) {
    return "--area の「" + shown(value) +
           "」は 南端,西端,北端,東端 の度（南端 < 北端、西端 < 東端）ではありません（例: --area=35.5,140.5,36.0,141.0）。";
}
std::string areaOutsideGrid() {
    return "--area の範囲にグリッドのセルがありません。範囲が 南端,西端,北端,東端 の順か、グリッドの範囲と重なるか確かめてください。";
}
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
std::string allNoData() { return "グリッドの値がすべてデータなし（NODATA）です。" + std::string(kNothingWritten); }
std::string tooManyPoints(long long points, const std::vector<long long>& perLevel, const std::vector<double>& levels,
                          long long limit) {
    // The levels that cost most, at most three.
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < perLevel.size(); ++i)
        if (perLevel[i] > 0) order.push_back(i);
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return perLevel[a] > perLevel[b]; });
    std::string costly;
    for (std::size_t i = 0; i < order.size() && i < 3; ++i)
        costly += (i ? "、" : "") + valueText(levels[order[i]]) + " m（" + grouped(perLevel[order[i]]) + "点）";
    // A contour's points grow with its length in cells: cells this many
    // times larger give about as many times fewer points.
    const double coarser = std::ceil(10.0 * 1.1 * static_cast<double>(points) / static_cast<double>(limit)) / 10;
    return "等深線の点が" + grouped(points) + "点（水深" + grouped(static_cast<long long>(order.size())) +
           "種類）になり、VORNEL が読める" + grouped(limit) + "点を超えます。点が多いのは水深 " + costly +
           "です。セルを約" + fixed(coarser, 1) + "倍の大きさにした粗いグリッドにする（gdal_translate -tr）か、--levels で点の"
           "多い水深を外すか、--area=南,西,北,東（度）で必要な範囲だけにしてください。" + kNothingWritten;
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
std::string impossibleValue(double value, long long count, bool depths) {
    const std::string v = valueText(value);
    return "値 " + v + " の格子点が" + grouped(count) + "点あります。" + (depths ? "水深" : "標高") +
           "として読むと、水深 11,000 m より深いか標高 9,000 m より高く、海にも陸にもない値です。データなし（NODATA）"
           "の印なら --nodata=" + v + " を付けてください。" + kNothingWritten;
}
std::string outlyingValue(double value, long long count, double othersLow, double othersHigh) {
    const std::string v = valueText(value);
    return "値 " + v + " の格子点が" + grouped(count) + "点あり、ほかの値（" + fixed(othersLow, 2) + "～" +
           fixed(othersHigh, 2) + "）から大きく離れています。データなし（NODATA）の印なら --nodata=" + v +
           " を付けてください。" + kNothingWritten;
}
std::string onlyOneValue(double value, long long count) {
    const std::string v = valueText(value);
    return "値のある格子点" + grouped(count) + "点がすべて " + v + " です。データなし（NODATA）の印なら --nodata=" + v +
           " を付けてください。" + kNothingWritten;
}
std::string mostlyLand(bool depths, long long valid, long long land) {
    const std::string share = land == valid ? "すべて" : percent(land, valid);
    std::string text = std::string(depths ? "水深（下向きに正）" : "標高（海面より下が負）") + "として読むと、値のある格子点" +
                       grouped(valid) + "点のうち" + share + "（" + grouped(land) + "点）が陸" +
                       (depths ? "（負の値）" : "（正の値）") + "になります。";
    text += depths ? "標高（海面より下が負）のグリッドなら --depths を外してください。"
                   : "水深（下向きに正）のグリッドなら --depths を付けてください。";
    return text + "陸が多いのが正しいなら、--area=南,西,北,東 で海の部分だけにしてください。" + kNothingWritten;
}

std::string prjUnreadable(const std::string& prj) {
    return "座標系のファイル " + prj + " を読めません。緯度・経度か平面直角座標のグリッドなら、" + prj +
           " の名前を変えてから変換してください（平面直角座標なら --zone=N も付けます）。";
}
std::string tokyoDatum(const std::string& prj, const std::string& system, const std::string& grid,
                       const std::string& stem, int zone) {
    return prj + " の座標系「" + system +
           "」は旧日本測地系（Tokyo Datum）です。そのままでは位置が約 400 m ずれます。GDAL で世界測地系に変換してください: " +
           warpCommand(zone ? 6668 + zone : 6668, grid, stem);
}
std::string utmGrid(const std::string& prj, const std::string& system, int zone, const std::string& grid,
                    const std::string& stem) {
    return prj + " の座標系「" + system + "」は UTM" + (zone ? "（第" + std::to_string(zone) + "帯）" : "") +
           "です。vornel-contour が読むのは緯度・経度と平面直角座標です。GDAL で緯度・経度に変換してください: " +
           warpCommand(6668, grid, stem);
}
std::string webMercatorGrid(const std::string& prj, const std::string& system, const std::string& grid,
                            const std::string& stem) {
    return prj + " の座標系「" + system +
           "」は Web メルカトル（ウェブ地図の座標）です。vornel-contour が読むのは緯度・経度と平面直角座標です。"
           "GDAL で緯度・経度に変換してください: " + warpCommand(6668, grid, stem);
}
std::string otherSystem(const std::string& prj, const std::string& system, const std::string& grid,
                        const std::string& stem) {
    return prj + " の座標系「" + system +
           "」は vornel-contour では読めません（読めるのは緯度・経度と平面直角座標です）。GDAL で緯度・経度に変換してください: " +
           warpCommand(6668, grid, stem);
}
std::string zoneContradictsPrj(int option, int prjZone, const std::string& prj) {
    return "--zone=" + std::to_string(option) + " は " + prj + " の座標系（平面直角座標系 第" + std::to_string(prjZone) +
           "系）と食い違います。--zone を外すと " + prj + " の系で読みます。";
}
std::string zoneOnDegreesPrj(int option, const std::string& prj) {
    return prj + " によるとグリッドの座標は緯度・経度（度）です。--zone=" + std::to_string(option) + " を外してください。";
}
std::string zoneOnDegrees(int zone) {
    return "セルの大きさが 1 m 未満で、座標がすべて系の原点から 360 m 以内にあります。座標は緯度・経度（度）と思われます。"
           "--zone=" + std::to_string(zone) + " を外してください。";
}
std::string outsideJapan(const Extent& geo, const Extent& file, OutsideHint hint, int zone, const std::string& grid,
                         const std::string& stem) {
    const std::string japan = "日本の海域（北緯 20～46 度、東経 122～154 度）";
    if (hint == OutsideHint::Metres)
        return "座標（x " + fixed(file.west, 1) + "～" + fixed(file.east, 1) + "、y " + fixed(file.south, 1) + "～" +
               fixed(file.north, 1) + "）は緯度・経度ではなくメートルのようです。平面直角座標なら --zone=N（1～19）で系の"
               "番号を指定してください。UTM などほかの座標系なら、GDAL で緯度・経度に変換してください: " +
               warpCommand(6668, grid, stem, "-s_srs EPSG:（元の座標系） ");
    const std::string range = "北緯 " + fixed(geo.south, 4) + "～" + fixed(geo.north, 4) + " 度、東経 " +
                              fixed(geo.west, 4) + "～" + fixed(geo.east, 4) + " 度";
    switch (hint) {
        case OutsideHint::ZoneOption:
            return "平面直角座標系 第" + std::to_string(zone) + "系（--zone=" + std::to_string(zone) + "）として読むと、グリッドは" +
                   range + "になり、" + japan + "の外です。系の番号を確かめてください。UTM などほかの座標系なら GDAL で"
                   "緯度・経度に変換してください。";
        case OutsideHint::ZonePrj:
            return ".prj の平面直角座標系 第" + std::to_string(zone) + "系として読むと、グリッドは" + range + "になり、" +
                   japan + "の外です。.prj が正しいか確かめてください。";
        default:
            return "グリッドは" + range + "にあり、" + japan +
                   "の外です。座標が緯度・経度（度、世界測地系）か確かめてください。";
    }
}
std::string placedInZone(int zone, bool fromPrj) {
    return "平面直角座標系 第" + std::to_string(zone) + "系（" + (fromPrj ? ".prj から" : "--zone") + "）";
}
std::string placedInDegrees(bool latitudeFirst) {
    return latitudeFirst ? "緯度・経度（緯度が先の XYZ）" : "緯度・経度";
}

std::string written(const WrittenSummary& s) {
    std::string text = "等深線 " + grouped(s.lines) + "本（水深" + grouped(static_cast<long long>(s.levels)) + "種類、" +
                       grouped(s.points) + "点）を書きました。";
    text += "水深 " + valueText(s.shallowest) + "～" + valueText(s.deepest) + " m、陸とした格子点 " +
            grouped(s.landNodes) + "点（値のある格子点の" + percent(s.landNodes, s.validNodes) + "）、座標は" +
            s.placement;
    if (s.areaColumns > 0)
        text += "、--area の範囲 " + grouped(s.areaColumns) + "列 × " + grouped(s.areaRows) + "行";
    return text + "。";
}

std::string grouped(long long number) {
    std::string digits = std::to_string(number < 0 ? -number : number);
    for (auto i = static_cast<long long>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return number < 0 ? "-" + digits : digits;
}

}  // namespace gridcontour::msg
