#include "bathymetry/m7000_text.h"

#include <string_view>

#include "bathymetry/fixed_columns.h"
#include "bathymetry/m7000_points.h"
#include "bathymetry/m7000_text_columns.h"
#include "platform/line_reader.h"

namespace vornel {

namespace {

bool isBlankLine(std::string_view line) {
    for (char c : line)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
    return true;
}

}  // namespace

bool loadM7000Text(WindowRef owner, const std::wstring& path, double originLat, double originLon) {
    M7000Staging staging(owner, path);
    ScopedFile file(platform().openFile(path, "rb"));
    if (!file) {
        abandonM7000Load();
        return false;
    }
    LineReader lines(file.get());
    std::string_view line;
    bool first = true;
    int previousId = 0;
    while (lines.next(line)) {
        // An empty line (a file that ends in a blank line, say) is no point:
        // read as one it would put a point at 0° N 0° E into the data set.
        if (isBlankLine(line)) continue;
        if (staging.full()) {
            staging.warnFull();
            break;
        }
        const double depth = columnDouble(line, m7000text::kDepthOffset, m7000text::kDepthWidth);
        const double lat = columnDouble(line, m7000text::kLatOffset, m7000text::kLatWidth);
        const double lon = columnDouble(line, m7000text::kLonOffset, m7000text::kLonWidth);
        const int lineId = columnInt(line, m7000text::kLineIdOffset, m7000text::kLineIdWidth);
        const std::int32_t lineStart = (first || lineId != previousId) ? 1 : 0;
        const int level = staging.levelOf(depth);
        // A depth with no room in the level list has no level to draw with.
        if (level >= 0) staging.stage(lat, lon, static_cast<float>(depth), level, lineStart);
        first = false;
        previousId = lineId;
    }
    file.close();
    finishM7000Load(originLat, originLon);
    return true;
}

}  // namespace vornel
