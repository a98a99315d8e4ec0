// parameter.lst: relations Smax = slope · ln(Ho/L) + intercept per sector.
#include <cmath>

#include "cp932.h"
#include "outputs.h"
#include "text_out.h"

namespace sampledata {
namespace {

const char* const kSectors[16] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                                  "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};

// A coast's relation: waves from the open sea arrive as long swell with a
// narrow spread (Smax up to `swellSmax`, Goda's 75 for swell after a long
// decay); waves from along or off the coast are young wind sea (about 10).
struct Coast {
    const char* name;    // UTF-8
    double openAzimuth;  // deg, the direction the open sea lies in
    double swellSmax;    // Smax of long swell (Ho/L = 0.003) from the open sea
    double windSmax;     // Smax of steep wind waves (Ho/L = 0.04) from the open sea
};

const Coast kCoasts[] = {
    {"太平洋沿岸", 150, 75, 11},
    {"日本海沿岸", 320, 55, 10},
    {"東シナ海沿岸", 240, 65, 10},
};

constexpr double kSteep = 0.04, kSwell = 0.003;

}  // namespace

void writeSpreadingRelations(const std::filesystem::path& root, std::ostream& log) {
    std::string file;
    for (const Coast& c : kCoasts) {
        for (int k = 0; k < 16; ++k) {
            // exposure 1 facing the open sea, 0 for waves from the land side
            double off = std::fabs(std::remainder(22.5 * k - c.openAzimuth, 360.0));
            const double exposure = std::pow(std::cos(off / 2 * 3.141592653589793 / 180.0), 2);
            const double swell = 25 + (c.swellSmax - 25) * exposure;  // fetch-limited swell from the land side
            const double wind = 7 + (c.windSmax - 7) * exposure;
            const double slope = (wind - swell) / (std::log(kSteep) - std::log(kSwell));
            const double intercept = wind - slope * std::log(kSteep);
            addLine(file, toCp932(c.name) + fmt(",%s,%.3f,%.3f", kSectors[k], slope, intercept));
        }
    }
    writeFile(root / "parameter.lst", file);
    log << fmt("  parameter.lst: %zu relations of 16 sectors\n", std::size(kCoasts));
}

}  // namespace sampledata
