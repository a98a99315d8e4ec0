// check_sample: reads a sample data folder back the way the program reads
// it — by columns and tokens, not through the generator's writers — and
// checks what the program relies on. Prints every finding; exit status 1 if
// there is one.
//
//   check_sample <sample folder>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cp932.h"
#include "geodesy/plane_rect.h"

namespace fs = std::filesystem;

namespace {

int failures = 0;

void fail(const std::string& what) {
    std::cerr << "check_sample: " << what << "\n";
    ++failures;
}

// Lines as the program's 256-byte buffer sees them, without CR LF.
std::vector<std::string> readLines(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    if (!in) fail("cannot open " + p.string());
    std::vector<std::string> lines;
    std::string s;
    while (std::getline(in, s)) {
        if (!s.empty() && s.back() == '\r') s.pop_back();
        if (s.size() > 254) fail(p.string() + ": line longer than 254 characters");
        lines.push_back(s);
    }
    return lines;
}

std::string field(const std::string& line, std::size_t from, std::size_t width) {
    if (from >= line.size()) return "";
    std::string f = line.substr(from, width);
    while (!f.empty() && f.back() == ' ') f.pop_back();
    return f;
}

bool headerDms(const std::string& line, std::size_t at, double& value) {
    if (line.size() < at + 15) return false;
    const std::string f = line.substr(at, 15);
    if (f[7] != '\'' || f[14] != '"') return false;
    value = std::atof(f.substr(8, 6).c_str()) / 3600 +
            (std::atoi(f.substr(5, 2).c_str()) / 60.0 + std::atoi(f.substr(1, 3).c_str()));
    if (f[0] == 'S' || f[0] == 'W') value = -value;
    return true;
}

struct Extent {
    double originLat = 0, originLon = 0;
    double minE = 1e18, maxE = -1e18, minN = 1e18, maxN = -1e18;
    std::size_t points = 0;
};

// A contour file as the contour loader reads it, plus the end record.
Extent checkContourFile(const fs::path& p) {
    const std::vector<std::string> lines = readLines(p);
    Extent x;
    const std::string name = p.string();
    if (lines.empty()) {
        fail(name + ": empty");
        return x;
    }
    if (!headerDms(lines[0], 49, x.originLat) || !headerDms(lines[0], 65, x.originLon))
        fail(name + ": no valid origin in the first header");
    std::size_t k = 0;
    bool ended = false;
    while (k < lines.size()) {
        const std::string& h = lines[k++];
        const bool end = h.rfind("   1000.00    5", 0) == 0;
        int n = std::atoi(field(h, 10, 5).c_str());
        if (n < 2) fail(name + ": record of " + std::to_string(n) + " points at line " + std::to_string(k));
        const double depth = std::atof(field(h, 0, 10).c_str());
        if (!end && (depth <= 0 || depth >= 10000)) fail(name + ": depth " + std::to_string(depth));
        for (; n > 0 && k < lines.size(); ++k) {
            const std::string& d = lines[k];
            for (int q = 0; q < 4 && n > 0; ++q, --n) {
                if (d.size() < static_cast<std::size_t>(20 * q + 20)) fail(name + ": short point line");
                const double e = std::atof(field(d, 20 * q, 10).c_str());
                const double no = std::atof(field(d, 20 * q + 10, 10).c_str());
                x.minE = std::min(x.minE, e), x.maxE = std::max(x.maxE, e);
                x.minN = std::min(x.minN, no), x.maxN = std::max(x.maxN, no);
                if (!end) ++x.points;
            }
        }
        if (n > 0) fail(name + ": file ends inside a record");
        if (end) {
            ended = true;
            if (k != lines.size()) fail(name + ": lines after the end record");
            break;
        }
    }
    if (!ended) fail(name + ": no end record");
    if (x.points == 0) fail(name + ": no contour points");
    // The whole extent must lie in Japanese waters.
    double lat, lon;
    for (auto [n, e] : {std::pair{x.minN, x.minE}, std::pair{x.maxN, x.maxE}}) {
        vornel::fromPlaneRect(n, e, x.originLat, x.originLon, lat, lon);
        if (lat < 24 || lat > 46 || lon < 122 || lon > 146) fail(name + ": extent outside Japan");
    }
    return x;
}

double listDms(const std::string& line, std::size_t at) {
    const std::string f = line.substr(at, 14);
    return std::atof(f.substr(7, 6).c_str()) / 3600 +
           (std::atoi(f.substr(4, 2).c_str()) / 60.0 + std::atoi(f.substr(0, 3).c_str()));
}

void checkHarbours(const fs::path& root) {
    const fs::path db = root / "Db01";
    const std::vector<std::string> lines = readLines(db / "kowan.lst");
    if (lines.empty()) return;
    const std::size_t n = static_cast<std::size_t>(std::atoi(lines[0].c_str()));
    if (n + 1 != lines.size()) fail("kowan.lst: count line does not match the records");
    if (n < 8 || n > 200) fail("kowan.lst: " + std::to_string(n) + " harbours");
    // harbours on disk, by the 8-bit names the program compares
    std::set<std::pair<std::string, std::string>> onDisk;
    for (const auto& dir : fs::directory_iterator(db)) {
        if (!dir.is_directory() || dir.path().filename().string().find("分の1") != std::string::npos) continue;
        for (const auto& f : fs::directory_iterator(dir.path()))
            if (f.path().extension() == ".con")
                onDisk.insert({sampledata::toCp932(dir.path().filename().string()),
                               sampledata::toCp932(f.path().stem().string())});
    }
    std::set<std::string> regions;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.size() < 170) {
            fail("kowan.lst: record " + std::to_string(i) + " ends before the origin fields");
            continue;
        }
        const std::string name = field(l, 0, 20), region = field(l, 50, 10);
        regions.insert(region);
        if (!onDisk.erase({region, name})) fail("kowan.lst: record " + std::to_string(i) + " has no .con file");
        const double lat = listDms(l, 142), lon = listDms(l, 156);
        if (lat < 20 || lat > 46 || lon < 122 || lon > 155) fail("kowan.lst: origin out of Japan");
        // The file's own origin must be the listed one, or the index and the
        // contour view would place the harbour differently.
        fs::path con;
        for (const auto& dir : fs::directory_iterator(db))
            if (dir.is_directory())
                for (const auto& f : fs::directory_iterator(dir.path()))
                    if (sampledata::toCp932(f.path().stem().string()) == name &&
                        sampledata::toCp932(dir.path().filename().string()) == region)
                        con = f.path();
        if (con.empty()) continue;
        const Extent x = checkContourFile(con);
        if (std::fabs(x.originLat - lat) > 1e-6 || std::fabs(x.originLon - lon) > 1e-6)
            fail("kowan.lst: origin differs from the header of " + con.string());
        if (x.points < 1000) fail(con.string() + ": only " + std::to_string(x.points) + " points");
    }
    if (!onDisk.empty()) fail("Db01: .con files that kowan.lst does not list");
    if (regions.size() < 3) fail("kowan.lst: fewer than three regions");
}

void checkCharts(const fs::path& root, const char* table, const char* folder, std::size_t codeWidth,
                 std::size_t titleAt, std::size_t pattern) {
    const fs::path db = root / "Db01";
    std::set<std::string> files;
    for (const auto& f : fs::directory_iterator(db / folder)) files.insert(f.path().filename().string());
    for (const std::string& l : readLines(db / table)) {
        const std::string code = field(l, 0, codeWidth), title = field(l, titleAt, 30);
        if (code.size() != pattern || (pattern == 6 && code[4] != '_'))
            fail(std::string(table) + ": code " + code + " does not fit the chart file pattern");
        const int number = std::atoi(code.substr(0, 4).c_str());
        if (number < 1 || number > 6577) fail(std::string(table) + ": chart " + code + " is in no sea area");
        if (title.empty() || title.find_first_of(",\t") != std::string::npos)
            fail(std::string(table) + ": title of " + code + " cannot be an index key");
        if (!files.erase(code)) fail(std::string(table) + ": no file for " + code);
        checkContourFile(db / folder / code);
    }
    if (!files.empty()) fail(std::string(folder) + ": files that the table does not list");
}

void checkCoastline(const fs::path& root) {
    // The program's reading: only headers met in state 0 count, points from
    // the taken polygons, a ";" right after a group ends a polygon.
    const std::set<int> taken{13, 14, 17, 26, 27, 30, 31};
    std::map<int, std::size_t> pointsOf;
    int state = 0, number = 0;
    std::size_t headers = 0, seen = 0, points = 0;
    for (const std::string& l : readLines(root / "japan.llm")) {
        if (l.rfind("poly ", 0) == 0) ++headers;
        if (state == 0) {
            if (l.rfind("poly ", 0) == 0) {
                ++seen;
                number = std::atoi(l.c_str() + 5);
                state = taken.count(number) ? 1 : 3;  // 3: skipping a polygon that is not drawn
            }
            continue;
        }
        for (std::size_t i = 0; i < 4 && l.size() + 1 >= 16 * i + 10; ++i) {  // + 1: the line end
            if (state != 3) {
                const double lon =
                    std::atoi(field(l, 16 * i, 5).c_str()) + std::atoi(field(l, 16 * i + 6, 2).c_str()) / 60.0;
                const double lat =
                    std::atoi(field(l, 16 * i + 8, 4).c_str()) + std::atoi(field(l, 16 * i + 13, 2).c_str()) / 60.0;
                if (lat < 20 || lat > 46 || lon < 122 || lon > 154) fail("japan.llm: point outside Japan");
                ++pointsOf[number], ++points;
            }
            if (l.size() > 16 * i + 16 && l[16 * i + 16] == ';')
                state = 0;
            else if (state == 1)
                state = 2;
        }
    }
    if (seen != headers) fail("japan.llm: a polygon does not end with ';' before the next header");
    for (int t : taken)
        if (pointsOf[t] == 0) fail("japan.llm: no points in polygon " + std::to_string(t));
    if (points > 15000) fail("japan.llm: more drawn points than the program holds");
}

void checkRelations(const fs::path& root) {
    std::map<std::string, std::vector<std::pair<double, double>>> relations;
    for (const std::string& l : readLines(root / "parameter.lst")) {
        std::vector<std::string> tokens;
        std::size_t at = 0;
        while ((at = l.find_first_not_of(",\t", at)) != std::string::npos) {
            const std::size_t end = l.find_first_of(",\t", at);
            tokens.push_back(l.substr(at, end - at));
            at = end;
        }
        if (tokens.size() != 4 || tokens[1].size() > 5)
            fail("parameter.lst: bad line " + l);
        else
            relations[tokens[0]].push_back({std::atof(tokens[2].c_str()), std::atof(tokens[3].c_str())});
    }
    if (relations.size() < 2) fail("parameter.lst: fewer than two relations");
    for (const auto& [name, rows] : relations) {
        if (rows.size() != 16) fail("parameter.lst: a relation without 16 sectors");
        for (auto [slope, intercept] : rows) {
            const double steep = slope * std::log(0.04) + intercept, swell = slope * std::log(0.003) + intercept;
            if (steep < 5 || steep > 15 || swell < 20 || swell > 80 || swell <= steep)
                fail("parameter.lst: Smax out of the usual range in a sector");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: check_sample <sample folder>\n";
        return 2;
    }
    const fs::path root = argv[1];
    checkCoastline(root);
    checkHarbours(root);
    checkCharts(root, "otable.5", "5万分の1", 9, 118, 6);
    checkCharts(root, "otable.20", "20万分の1", 7, 116, 4);
    checkRelations(root);
    std::cout << (failures ? "check_sample: failed\n" : "check_sample: sample data reads as the program reads it\n");
    return failures ? 1 : 0;
}
