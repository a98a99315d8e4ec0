#include "coordinate_system.h"

#include <cmath>
#include <system_error>
#include <vector>

#include "geodesy/plane_rect_zones.h"
#include "native_file.h"
#include "numbers.h"

namespace gridcontour {

namespace {

// ---- WKT as a tree ----------------------------------------------------------

struct WktNode {
    std::string keyword;              // upper case
    std::vector<std::string> values;  // quoted texts, numbers and bare words, in order
    std::vector<WktNode> children;
};

// WKT nests a few levels deep; a deeper text is not a coordinate system.
constexpr int kMaxDepth = 32;

class WktParser {
public:
    explicit WktParser(std::string_view text) : text_(text) {}

    bool parse(WktNode& root) {
        skipBlanks();
        if (!parseNode(root, 0)) return false;
        skipBlanks();
        return pos_ == text_.size();
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' ||
                                       text_[pos_] == '\n'))
            ++pos_;
    }
    static bool isWordChar(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
               c == '+' || c == '-';
    }
    std::string word() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && isWordChar(text_[pos_])) ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }
    bool quoted(std::string& out) {
        ++pos_;  // the opening quote
        for (;;) {
            if (pos_ >= text_.size()) return false;
            const char c = text_[pos_++];
            if (c != '"') {
                out += c;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '"') {  // "" stands for one quote
                out += '"';
                ++pos_;
                continue;
            }
            return true;
        }
    }
    bool parseNode(WktNode& node, int depth) {
        if (depth > kMaxDepth) return false;
        node.keyword = word();
        if (node.keyword.empty()) return false;
        for (char& c : node.keyword)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        skipBlanks();
        if (pos_ >= text_.size() || (text_[pos_] != '[' && text_[pos_] != '(')) return false;
        const char close = text_[pos_] == '[' ? ']' : ')';
        ++pos_;
        for (;;) {
            skipBlanks();
            if (pos_ >= text_.size()) return false;
            if (text_[pos_] == '"') {
                std::string value;
                if (!quoted(value)) return false;
                node.values.push_back(std::move(value));
            } else {
                const std::size_t start = pos_;
                std::string value = word();
                if (value.empty()) return false;
                skipBlanks();
                if (pos_ < text_.size() && (text_[pos_] == '[' || text_[pos_] == '(')) {
                    pos_ = start;
                    WktNode child;
                    if (!parseNode(child, depth + 1)) return false;
                    node.children.push_back(std::move(child));
                } else {
                    node.values.push_back(std::move(value));  // a number or an enumeration (EAST)
                }
            }
            skipBlanks();
            if (pos_ >= text_.size()) return false;
            if (text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (text_[pos_] != close) return false;
            ++pos_;
            return true;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Names compared without case, blanks or punctuation: "Latitude_Of_Origin",
// "latitude of origin" and "LatitudeOfOrigin" are one name.
std::string folded(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
    }
    return out;
}

bool isOneOf(const std::string& keyword, std::initializer_list<const char*> keywords) {
    for (const char* k : keywords)
        if (keyword == k) return true;
    return false;
}

// The first node with one of `keywords`, depth first, not looking inside `skip`.
const WktNode* find(const WktNode& node, std::initializer_list<const char*> keywords,
                    std::initializer_list<const char*> skip = {}) {
    for (const WktNode& child : node.children) {
        if (isOneOf(child.keyword, keywords)) return &child;
        if (isOneOf(child.keyword, skip)) continue;
        if (const WktNode* found = find(child, keywords, skip)) return found;
    }
    return nullptr;
}

std::optional<double> numberAt(const WktNode& node, std::size_t index) {
    if (index >= node.values.size()) return std::nullopt;
    return parseNumber(node.values[index]);
}

// The EPSG code the text gives itself (AUTHORITY["EPSG","6677"] or ID["EPSG",6677]), or 0.
int epsgCode(const WktNode& node) {
    for (const WktNode& child : node.children)
        if (isOneOf(child.keyword, {"AUTHORITY", "ID"}) && child.values.size() >= 2 && folded(child.values[0]) == "epsg") {
            const auto code = parseNumber(child.values[1]);
            if (code && *code >= 0 && *code < 1e9) return static_cast<int>(*code);
        }
    return 0;
}

// The conversion factor of the system's own unit (to metres or to radians), if given.
std::optional<double> unitFactor(const WktNode& system, std::initializer_list<const char*> keywords) {
    const WktNode* unit = nullptr;
    for (const WktNode& child : system.children)
        if (isOneOf(child.keyword, keywords)) unit = &child;
    // WKT 2 may give the unit on each axis instead.
    if (!unit) unit = find(system, keywords, {"GEOGCS", "BASEGEOGCRS", "BASEGEODCRS", "DATUM", "CONVERSION", "PRIMEM"});
    if (!unit) return std::nullopt;
    return numberAt(*unit, 1);
}

bool near(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

struct Projection {
    std::string method;  // folded
    std::optional<double> lat0, lon0, scale, falseEasting, falseNorthing;
};

Projection projectionOf(const WktNode& system) {
    Projection p;
    if (const WktNode* method = find(system, {"PROJECTION", "METHOD"}, {"GEOGCS", "BASEGEOGCRS", "BASEGEODCRS"}))
        if (!method->values.empty()) p.method = folded(method->values[0]);
    // Every PARAMETER of the system: directly in WKT 1, inside CONVERSION in WKT 2.
    std::vector<const WktNode*> pending{&system};
    while (!pending.empty()) {
        const WktNode* node = pending.back();
        pending.pop_back();
        for (const WktNode& child : node->children) {
            if (isOneOf(child.keyword, {"GEOGCS", "BASEGEOGCRS", "BASEGEODCRS"})) continue;
            if (child.keyword != "PARAMETER") {
                pending.push_back(&child);
                continue;
            }
            if (child.values.empty()) continue;
            const std::string name = folded(child.values[0]);
            const auto value = numberAt(child, 1);
            if (name == "latitudeoforigin" || name == "latitudeofnaturalorigin") p.lat0 = value;
            else if (name == "centralmeridian" || name == "longitudeofnaturalorigin" || name == "longitudeoforigin")
                p.lon0 = value;
            else if (name == "scalefactor" || name == "scalefactoratnaturalorigin") p.scale = value;
            else if (name == "falseeasting") p.falseEasting = value;
            else if (name == "falsenorthing") p.falseNorthing = value;
        }
    }
    return p;
}

// Japan's plane rectangular systems: transverse Mercator, scale 0.9999, no
// false origin, about one of the 19 origins.
int planeRectangularZone(const Projection& p) {
    if (p.method.find("transversemercator") == std::string::npos && p.method.find("gausskruger") == std::string::npos)
        return 0;
    if (!p.lat0 || !p.lon0 || !p.scale || !near(*p.scale, 0.9999, 1e-9) || !near(p.falseEasting.value_or(0), 0, 1e-3) ||
        !near(p.falseNorthing.value_or(0), 0, 1e-3))
        return 0;
    for (int zone = 1; zone <= vornel::kPlaneRectZoneCount; ++zone) {
        const auto origin = vornel::planeRectZoneOrigin(zone);
        if (near(*p.lat0, origin.lat, 1e-6) && near(*p.lon0, origin.lon, 1e-6)) return zone;
    }
    return 0;
}

int utmZone(const Projection& p) {
    if (p.method.find("transversemercator") == std::string::npos || !p.lon0 || !p.scale ||
        !near(*p.scale, 0.9996, 1e-9) || !near(p.falseEasting.value_or(0), 500000, 1e-3) ||
        !near(p.lat0.value_or(0), 0, 1e-9))
        return 0;
    const double zone = (*p.lon0 + 183) / 6;
    return near(zone, std::round(zone), 1e-6) && zone >= 1 && zone <= 60 ? static_cast<int>(std::round(zone)) : 0;
}

bool isWebMercator(const std::string& foldedName, const Projection& p, int code) {
    return p.method == "mercatorauxiliarysphere" || p.method == "popularvisualisationpseudomercator" ||
           foldedName.find("webmercator") != std::string::npos ||
           foldedName.find("pseudomercator") != std::string::npos || code == 3857 || code == 3785 ||
           code == 900913 || code == 102100;
}

}  // namespace

std::optional<CoordinateSystem> parseCoordinateSystem(std::string_view wkt) {
    WktNode root;
    if (!WktParser(wkt).parse(root)) return std::nullopt;
    const WktNode* system = &root;
    // A compound system (position and height): its first part is the horizontal one.
    while (isOneOf(system->keyword, {"COMPD_CS", "COMPOUNDCRS", "BOUNDCRS", "SOURCECRS"})) {
        if (system->children.empty()) return std::nullopt;
        system = &system->children.front();
    }
    const bool geographic = isOneOf(system->keyword, {"GEOGCS", "GEOGCRS", "GEODCRS", "GEOGRAPHICCRS", "GEODETICCRS"});
    const bool projected = isOneOf(system->keyword, {"PROJCS", "PROJCRS", "PROJECTEDCRS"});
    CoordinateSystem result;
    result.name = system->values.empty() ? system->keyword : system->values[0];
    if (!geographic && !projected) return result;  // Other: a local or vertical system, by name

    const WktNode* datum = find(*system, {"DATUM", "GEODETICDATUM", "TRF", "DYNAMIC"});
    const std::string datumName = datum && !datum->values.empty() ? folded(datum->values[0]) : "";
    const std::string name = folded(result.name);
    const int code = epsgCode(*system);
    result.tokyoDatum = datumName.find("tokyo") != std::string::npos || name.find("tokyo") != std::string::npos ||
                        code == 4301 || (code >= 30161 && code <= 30179);

    if (geographic) {
        const auto factor = unitFactor(*system, {"UNIT", "ANGLEUNIT"});
        if (!factor || near(*factor, std::acos(-1.0) / 180, 1e-9)) result.kind = CoordinateSystem::Kind::Geographic;
        return result;
    }
    const auto metres = unitFactor(*system, {"UNIT", "LENGTHUNIT"});
    if (metres && !near(*metres, 1, 1e-9)) return result;  // feet and the like: Other
    const Projection projection = projectionOf(*system);
    if (const int zone = planeRectangularZone(projection)) {
        result.kind = CoordinateSystem::Kind::PlaneRectangular;
        result.zone = zone;
    } else if (const int utm = utmZone(projection)) {
        result.kind = CoordinateSystem::Kind::Utm;
        result.zone = utm;
    } else if (isWebMercator(name, projection, code)) {
        result.kind = CoordinateSystem::Kind::WebMercator;
    } else if (projection.method.empty() && projection.lon0 == std::nullopt) {
        // A name and a code without parameters: the EPSG codes of Japan's systems.
        if (code >= 2443 && code <= 2461) result.zone = code - 2442;            // JGD2000
        else if (code >= 6669 && code <= 6687) result.zone = code - 6668;       // JGD2011
        else if (code >= 30161 && code <= 30179) result.zone = code - 30160;    // Tokyo
        if (result.zone) result.kind = CoordinateSystem::Kind::PlaneRectangular;
        else if (name.find("utm") != std::string::npos) result.kind = CoordinateSystem::Kind::Utm;
    } else if (name.find("utm") != std::string::npos) {
        result.kind = CoordinateSystem::Kind::Utm;
    }
    return result;
}

std::optional<std::filesystem::path> prjBeside(const std::filesystem::path& grid) {
    std::error_code error;
    for (const char* extension : {".prj", ".PRJ", ".Prj"}) {
        std::filesystem::path candidate = grid;
        candidate.replace_extension(extension);
        if (std::filesystem::is_regular_file(candidate, error)) return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> readPrj(const std::filesystem::path& path) {
    FilePtr file = openFile(path, false);
    if (!file) return std::nullopt;
    constexpr std::size_t kMaxPrj = 64 * 1024;
    std::string text(kMaxPrj + 1, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    if (text.size() > kMaxPrj || std::ferror(file.get())) return std::nullopt;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // Notepad's UTF-8 mark
    return text;
}

}  // namespace gridcontour
