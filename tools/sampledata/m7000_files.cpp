// The M7000 sample: Db01/M7000.Lst naming two volumes with their origins, and
// the folder M7000/ with one shapefile data set (off 鹿島) and one text data
// set (off 苫小牧), traced from the same seabed model as the harbours.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "contour_file.h"
#include "cp932.h"
#include "geodesy/plane_rect.h"
#include "outputs.h"
#include "text_out.h"

namespace sampledata {
namespace {

struct M7000Site {
    const char* code;      // the volume code, the first five characters of the file name
    const char* fileName;  // in M7000/
    const char* title;     // UTF-8
    int zone;              // the volume's origin is its plane coordinate zone's
    const char* harbour;   // whose seabed profile and works the sheet shares
    double lat, lon;       // centre
    double width, height;  // m
};

const M7000Site kShapeSite{"M7001", "M7001.shp", "鹿島灘北部", 9, "鹿島", 35.900, 140.760, 24000, 24000};
const M7000Site kTextSite{"M7002", "M7002.txt", "苫小牧沖", 12, "苫小牧", 42.575, 141.650, 28000, 20000};
constexpr double kStep = 80;      // m between grid nodes
constexpr double kTolerance = 4;  // m, line simplification
constexpr double kMinLoop = 480;  // m
const std::vector<double> kLevels = {5, 10, 20, 30, 50, 100, 200};

struct GeoLine {
    double depth;
    std::vector<LonLat> pts;
};

// Degrees to 1e-7 (about a centimetre), so the files do not carry the last
// bits of the projection's arithmetic.
double roundDegrees(double d) {
    return std::round(d * 1e7) / 1e7;
}

std::vector<GeoLine> traceSite(const M7000Site& s, const std::vector<CoastPolygon>& coast,
                               const std::vector<GeneratedHarbour>& harbours) {
    const GeneratedHarbour* harbour = nullptr;
    for (const GeneratedHarbour& h : harbours)
        if (h.site->name == s.harbour) harbour = &h;
    if (!harbour) throw std::runtime_error(std::string("M7000 sheet refers to unknown harbour ") + s.harbour);
    const ZoneOrigin o = zoneOrigin(s.zone);
    const CoastField field(coast, o.lat, o.lon, s.lat, s.lon, 0.5 + std::max(s.width, s.height) / 111000.0);
    double centreN, centreE;
    vornel::toPlaneRect(s.lat, s.lon, o.lat, o.lon, centreN, centreE);
    const int nx = static_cast<int>(std::lround(s.width / kStep)) + 1;
    const int ny = static_cast<int>(std::lround(s.height / kStep)) + 1;
    const double e0 = std::round((centreE - s.width / 2) / kStep) * kStep;
    const double n0 = std::round((centreN - s.height / 2) / kStep) * kStep;
    SeabedModel model = harbour->site->seabed;
    model.smoothing = 400;
    const Grid depth = buildSeabed(field, o.lat, o.lon, e0, n0, kStep, nx, ny, model, {harbour->works});

    std::vector<GeoLine> lines;
    for (const ContourRecord& r : traceLevels(depth, kLevels, kTolerance, kMinLoop)) {
        GeoLine line{r.depth, {}};
        for (const PlanePt& p : r.pts) {
            double lat, lon;
            vornel::fromPlaneRect(p.north, p.east, o.lat, o.lon, lat, lon);
            line.pts.push_back({roundDegrees(lon), roundDegrees(lat)});
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// ---- ESRI Shapefile: PolyLine main file, index and dBASE table ----

void be32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 3; i >= 0; --i) out += static_cast<char>(u >> (8 * i) & 0xff);
}
void le32(std::string& out, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out += static_cast<char>(u >> (8 * i) & 0xff);
}
void le16(std::string& out, int v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>(v >> 8 & 0xff);
}
void le64(std::string& out, double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    for (int i = 0; i < 8; ++i) out += static_cast<char>(u >> (8 * i) & 0xff);
}

struct Box {
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    void add(const LonLat& p) {
        minX = std::min(minX, p.lon);
        maxX = std::max(maxX, p.lon);
        minY = std::min(minY, p.lat);
        maxY = std::max(maxY, p.lat);
    }
};

void addBox(std::string& out, const Box& b) {
    le64(out, b.minX);
    le64(out, b.minY);
    le64(out, b.maxX);
    le64(out, b.maxY);
}

// The 100-byte header of .shp and .shx: the file length in 16-bit words.
std::string shapeHeader(std::size_t fileBytes, const Box& box) {
    std::string h;
    be32(h, 9994);
    h.append(20, '\0');
    be32(h, static_cast<std::int32_t>(fileBytes / 2));
    le32(h, 1000);
    le32(h, 3);
    addBox(h, box);
    h.append(32, '\0');  // Z and M ranges
    return h;
}

std::string dbfTable(const std::vector<GeoLine>& lines) {
    // Two numeric fields: the line number and the depth the program reads.
    struct Field {
        const char* name;
        int length, decimals;
    };
    const Field fields[] = {{"LineNo", 8, 0}, {"Depth", 10, 2}};
    const int recordLength = 1 + 8 + 10;
    std::string t;
    t += '\x03';
    t += static_cast<char>(126);  // a fixed date (2026-01-01): the output must not depend on the clock
    t += static_cast<char>(1);
    t += static_cast<char>(1);
    le32(t, static_cast<std::int32_t>(lines.size()));
    le16(t, 32 + 32 * 2 + 1);
    le16(t, recordLength);
    t.append(17, '\0');
    t += static_cast<char>(0x13);  // language driver: code page 932
    t.append(2, '\0');
    for (const Field& f : fields) {
        std::string d = f.name;
        d.resize(11, '\0');
        d += 'N';
        d.append(4, '\0');
        d += static_cast<char>(f.length);
        d += static_cast<char>(f.decimals);
        d.append(14, '\0');
        t += d;
    }
    t += '\x0d';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        t += ' ';
        t += fmt("%8zu", i + 1);
        t += fmt("%10.2f", lines[i].depth);
    }
    t += '\x1a';
    return t;
}

// JGD2000 geographic coordinates, in the ESRI form of the .prj file.
const char* const kPrj =
    "GEOGCS[\"GCS_JGD_2000\",DATUM[\"D_JGD_2000\",SPHEROID[\"GRS_1980\",6378137.0,298.257222101]],"
    "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";

void writeShapefile(const std::filesystem::path& folder, const std::string& stem, const std::vector<GeoLine>& lines) {
    Box all;
    std::string records, index;
    std::size_t offset = 100;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Box box;
        for (const LonLat& p : lines[i].pts) box.add(p);
        for (const LonLat& p : lines[i].pts) all.add(p);
        std::string content;
        le32(content, 3);
        addBox(content, box);
        le32(content, 1);
        le32(content, static_cast<std::int32_t>(lines[i].pts.size()));
        le32(content, 0);
        for (const LonLat& p : lines[i].pts) {
            le64(content, p.lon);
            le64(content, p.lat);
        }
        be32(records, static_cast<std::int32_t>(i + 1));
        be32(records, static_cast<std::int32_t>(content.size() / 2));
        records += content;
        be32(index, static_cast<std::int32_t>(offset / 2));
        be32(index, static_cast<std::int32_t>(content.size() / 2));
        offset += 8 + content.size();
    }
    writeFile(folder / (stem + ".shp"), shapeHeader(100 + records.size(), all) + records);
    writeFile(folder / (stem + ".shx"), shapeHeader(100 + index.size(), all) + index);
    writeFile(folder / (stem + ".dbf"), dbfTable(lines));
    writeFile(folder / (stem + ".prj"), kPrj);
}

// ---- Text data set: one point per line, fixed columns ----

std::string textData(const std::vector<GeoLine>& lines) {
    std::string text;
    int serial = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const LonLat& p : lines[i].pts) {
            // 0–9 a serial number and 36–49 blank: columns the program does not read.
            addLine(text, fmt("%10d%7.2f%9.5f%10.5f%14s%8zu", ++serial, lines[i].depth, p.lat, p.lon, "", i + 1));
        }
    }
    return text;
}

std::string dddmmss(double degrees, int degreeWidth) {
    const Dms d = toDms(degrees);
    return fmt("%0*d%02d%02d", degreeWidth, d.degrees, d.minutes, static_cast<int>(std::lround(d.seconds)));
}

std::size_t points(const std::vector<GeoLine>& lines) {
    std::size_t n = 0;
    for (const GeoLine& l : lines) n += l.pts.size();
    return n;
}

}  // namespace

void writeM7000(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast,
                const std::vector<GeneratedHarbour>& harbours, std::ostream& log) {
    const std::filesystem::path folder = root / "M7000";
    std::string list;
    for (const M7000Site* s : {&kShapeSite, &kTextSite}) {
        const ZoneOrigin o = zoneOrigin(s->zone);
        addLine(list,
                std::string(s->code) + "," + toCp932(s->title) + "," + dddmmss(o.lat, 2) + "," + dddmmss(o.lon, 3));
    }
    writeFile(root / "Db01" / "M7000.Lst", list);

    const std::vector<GeoLine> shapeLines = traceSite(kShapeSite, coast, harbours);
    writeShapefile(folder, "M7001", shapeLines);
    log << fmt("  M7000/M7001.shp: %zu lines, %zu points\n", shapeLines.size(), points(shapeLines));

    const std::vector<GeoLine> textLines = traceSite(kTextSite, coast, harbours);
    writeFile(folder / kTextSite.fileName, textData(textLines));
    log << fmt("  M7000/M7002.txt: %zu lines, %zu points\n", textLines.size(), points(textLines));
    log << "  Db01/M7000.Lst: 2 volumes\n";
}

}  // namespace sampledata
