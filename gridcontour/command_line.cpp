// The command line of vornel-contour: what a user types at a prompt or into
// a shortcut, read forgivingly ("--zone=9" or "--zone 9") and refused with
// the option or the value that is wrong.
#include <charconv>
#include <type_traits>

#include "contour_command.h"
#include "geodesy/plane_rect_zones.h"
#include "input_error.h"
#include "levels.h"
#include "messages.h"
#include "native_file.h"
#include "numbers.h"

namespace gridcontour {

namespace {

// An argument as ASCII text; anything else cannot be an option of ours.
std::optional<std::string> asciiOf(const std::filesystem::path& argument) {
    std::string text;
    for (const auto c : argument.native()) {
        const auto code = static_cast<std::make_unsigned_t<std::remove_const_t<decltype(c)>>>(c);
        if (code >= 0x80) return std::nullopt;
        text += static_cast<char>(code);
    }
    return text;
}

int parseZone(const std::string& value) {
    int zone = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), zone);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || zone < 1 ||
        zone > vornel::kPlaneRectZoneCount)
        throw InputError(msg::badZone(value));
    return zone;
}

// "S,W,N,E" in degrees, south below north and west below east.
Area parseArea(const std::string& value) {
    double corners[4];
    std::size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? value.find(',', start) : value.size();
        if (comma == std::string::npos) throw InputError(msg::badArea(value));
        std::string_view text(value.data() + start, comma - start);
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        const auto number = parseNumber(text);
        if (!number) throw InputError(msg::badArea(value));
        corners[i] = *number;
        start = comma + 1;
    }
    const Area area{corners[0], corners[1], corners[2], corners[3]};
    if (!(area.south < area.north) || !(area.west < area.east) || area.south < -90 || area.north > 90 ||
        area.west < -180 || area.east > 360)
        throw InputError(msg::badArea(value));
    return area;
}

}  // namespace

ContourOptions parseArguments(const std::vector<std::filesystem::path>& arguments) {
    ContourOptions options;
    int positional = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto text = asciiOf(arguments[i]);
        if (text && (*text == "-h" || *text == "--help" || *text == "/?")) {
            options.help = true;
            return options;
        }
        if (!text || text->compare(0, 2, "--") != 0) {
            if (positional == 0) options.grid = arguments[i];
            else if (positional == 1) options.folder = arguments[i];
            else throw InputError(msg::extraArgument(utf8Of(arguments[i])) + " " + msg::usage());
            ++positional;
            continue;
        }
        const std::size_t equals = text->find('=');
        const std::string name = text->substr(0, equals);
        if (name == "--depths" && equals == std::string::npos) {
            options.depths = true;
            continue;
        }
        if (name != "--levels" && name != "--zone" && name != "--nodata" && name != "--area")
            throw InputError(msg::badOption(*text) + " " + msg::usage());
        std::string value;
        if (equals != std::string::npos) {
            value = text->substr(equals + 1);
        } else {
            if (i + 1 == arguments.size()) throw InputError(msg::missingValue(name));
            const auto next = asciiOf(arguments[++i]);
            value = next ? *next : utf8Of(arguments[i]);  // refused below, shown as it is
        }
        if (name == "--levels") options.levels = parseLevels(value);
        else if (name == "--zone") options.zone = parseZone(value);
        else if (name == "--area") options.area = parseArea(value);
        else if (!(options.nodata = parseValue(value))) throw InputError(msg::badNodata(value));  // "nan" too
    }
    if (positional == 0) throw InputError(msg::usage());
    return options;
}

}  // namespace gridcontour
