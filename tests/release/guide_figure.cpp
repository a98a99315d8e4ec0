#include "guide_figure.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "estimation/params.h"
#include "estimation/wave.h"
#include "guide_windows.h"

namespace guide {

namespace {

double azimuthRadians(double azimuth) {
    return azimuth * 3.14159265358979 / 180.0;
}

// A point `length` px from (x, y) towards `azimuth` (SVG: y grows downwards).
void towards(double x, double y, double azimuth, double length, double& tx, double& ty) {
    tx = x + length * std::sin(azimuthRadians(azimuth));
    ty = y - length * std::cos(azimuthRadians(azimuth));
}

// θ of a point `pointAzimuth` from a tip with this θcon and shore normal, by
// the program's own functions (the points placed 1 km apart).
double thetaTowards(double thetaCon, double shoreNormal, double pointAzimuth) {
    using namespace vornel;
    resetEstimationParams();
    EstimationParams& p = estimationParams();
    p.thetaCon = thetaCon;
    p.shoreNormal = shoreNormal;
    p.diffractionPoint.lat = p.quasiOffshorePoint.lat = 35.0;
    p.diffractionPoint.lon = p.quasiOffshorePoint.lon = 140.0;
    p.quasiOffshorePoint.north = 1000.0 * std::cos(azimuthRadians(pointAzimuth));
    p.quasiOffshorePoint.east = 1000.0 * std::sin(azimuthRadians(pointAzimuth));
    double theta = 0.0;
    if (!computeBreakwaterAngle(theta)) failStep(L"the figure's θ could not be computed");
    return theta;
}

struct FigurePanel {
    double thetaCon;
    double shoreNormal;
    const char* title;
};

}  // namespace

double virtualBreakwaterAzimuth(double thetaCon, double shoreNormal) {
    const double thetaDiff = vornel::breakwaterNormal(shoreNormal);
    const double plus = thetaDiff + 90.0, minus = thetaDiff - 90.0;
    const double breakwater = std::fabs(thetaTowards(thetaCon, shoreNormal, plus) - 270.0) < 0.01 ? plus : minus;
    if (std::fabs(thetaTowards(thetaCon, shoreNormal, breakwater) - 270.0) > 0.01)
        failStep(L"no breakwater side in the figure");
    return std::fmod(breakwater + 360.0, 360.0);
}

namespace {

// One panel: the tip at (x0, y0), the point `pointAzimuth` from it. θdiff,
// θ and the side of the breakwater come from the program's own functions:
// the half-line is the direction from the tip in which θ would be 270 (-90),
// the edge of the shadow.
void drawPanel(std::string& svg, double x0, double y0, const FigurePanel& panel, double pointAzimuth) {
    const double thetaDiff = vornel::breakwaterNormal(panel.shoreNormal);
    const double breakwater = virtualBreakwaterAzimuth(panel.thetaCon, panel.shoreNormal);
    const double theta = thetaTowards(panel.thetaCon, panel.shoreNormal, pointAzimuth);

    char buf[1024];
    auto add = [&](const char* format, auto... args) {
        std::snprintf(buf, sizeof buf, format, args...);
        svg += buf;
    };
    double x, y, x2, y2;
    // The shadow: from the breakwater round to θdiff, behind the half-line.
    towards(x0, y0, breakwater, 130, x, y);
    towards(x0, y0, thetaDiff, 130, x2, y2);
    const int sweep = std::fmod(thetaDiff - breakwater + 360.0, 360.0) < 180.0 ? 1 : 0;
    add("<path d='M%.1f,%.1f L%.1f,%.1f A130,130 0 0 %d %.1f,%.1f Z' fill='#dde6f0'/>\n", x0, y0, x, y, sweep, x2, y2);
    towards(x0, y0, (breakwater + (sweep ? 45.0 : -45.0)), 95, x, y);
    add("<text x='%.1f' y='%.1f' font-size='11' fill='#345' text-anchor='middle'>陰の側</text>\n", x, y + 4);
    // The half-line and the directions from the tip.
    towards(x0, y0, breakwater, 140, x, y);
    add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='#555' stroke-width='7'/>\n", x0, y0, x, y);
    auto arrow = [&](double azimuth, double length, const char* colour, const char* dash) {
        towards(x0, y0, azimuth, length, x, y);
        add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='%s' stroke-width='2' %s "
            "marker-end='url(#head)'/>\n",
            x0, y0, x, y, colour, dash);
    };
    arrow(panel.shoreNormal, 120, "#2a7a2a", "");
    arrow(panel.thetaCon, 100, "#b0308f", "stroke-dasharray='6,3'");
    arrow(thetaDiff, 120, "#2a7a2a", "stroke-dasharray='2,3'");
    // The point and θ, counted from θdiff.
    towards(x0, y0, pointAzimuth, 110, x, y);
    add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='#999' stroke-width='3'/>\n", x0, y0, x, y);
    add("<path d='M%.1f,%.1f l12,12 m0,-12 l-12,12' stroke='#d00' stroke-width='2'/>\n", x - 6, y - 6);
    add("<text x='%.1f' y='%.1f' font-size='11' fill='#d00'>準沖波地点</text>\n", x + 10, y + 14);
    towards(x0, y0, thetaDiff, 50, x, y);
    towards(x0, y0, pointAzimuth, 50, x2, y2);
    const double turn = std::fmod(pointAzimuth - thetaDiff + 360.0, 360.0);
    add("<path d='M%.1f,%.1f A50,50 0 0 %d %.1f,%.1f' fill='none' stroke='#d00' stroke-width='1.5'/>\n", x, y,
        turn < 180.0 ? 1 : 0, x2, y2);
    add("<circle cx='%.1f' cy='%.1f' r='4' fill='#2a7a2a'/>\n", x0, y0);
    // The legend above the drawing.
    const double lx = x0 - 165, ly = 22;
    add("<text x='%.1f' y='%.1f' font-size='13' font-weight='bold'>%s</text>\n", lx, ly, panel.title);
    struct Entry {
        const char* stroke;
        const char* width;
        const char* extra;
        const char* format;
        double value;
    } const entries[] = {
        {"#2a7a2a", "2", "", "汀線の直交方向 %.1f°", panel.shoreNormal},
        {"#b0308f", "2", "stroke-dasharray='6,3'", "θcon(等深線の垂線)%.1f°", panel.thetaCon},
        {"#2a7a2a", "2", "stroke-dasharray='2,3'", "θdiff(仮想防波堤の法線)%.1f°", thetaDiff},
        {"#555", "7", "", "仮想防波堤 %.1f°の向き", breakwater},
        {"#d00", "1.5", "", "θ(θdiff から)= %.1f°", theta},
    };
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const double ey = ly + 20 + 17 * i;
        add("<line x1='%.1f' y1='%.1f' x2='%.1f' y2='%.1f' stroke='%s' stroke-width='%s' %s/>\n", lx, ey - 4, lx + 28,
            ey - 4, entries[i].stroke, entries[i].width, entries[i].extra);
        char text[160];
        std::snprintf(text, sizeof text, entries[i].format, entries[i].value);
        add("<text x='%.1f' y='%.1f' font-size='11'>%s</text>\n", lx + 36, ey, text);
    }
    say(stdout, L"guide_driver: figure panel θcon %.1f, shore normal %.1f: θdiff %.1f, breakwater %.1f, θ %.1f\n",
        panel.thetaCon, panel.shoreNormal, thetaDiff, breakwater, theta);
}

}  // namespace

void writeBreakwaterFigure(const std::wstring& folder, double shoreNormal, double turn, double pointAzimuth) {
    if (folder == L"-") return;
    std::string svg =
        "<svg xmlns='http://www.w3.org/2000/svg' width='720' height='420' viewBox='0 0 720 420' "
        "font-family='IPAPGothic, IPAGothic, sans-serif'>\n"
        "<defs><marker id='head' markerUnits='userSpaceOnUse' markerWidth='9' markerHeight='9' refX='8' refY='4.5' "
        "orient='auto'>"
        "<path d='M0,0 L9,4.5 L0,9 Z' fill='#444'/></marker></defs>\n"
        "<rect width='720' height='420' fill='white'/>\n";
    char title[2][128];
    std::snprintf(title[0], sizeof title[0], "(a) θcon が直交方向から時計回りに %.1f°", turn);
    std::snprintf(title[1], sizeof title[1], "(b) θcon が反時計回りに %.1f°", turn);
    drawPanel(svg, 180, 250, {shoreNormal + turn, shoreNormal, title[0]}, pointAzimuth);
    drawPanel(svg, 540, 250, {shoreNormal - turn, shoreNormal, title[1]}, pointAzimuth);
    svg +=
        "<text x='360' y='410' font-size='11' text-anchor='middle' fill='#333'>"
        "方位は平面直角座標の座標北から時計回り。緑の点が回折地点(防波堤の先端)。</text>\n</svg>\n";
    FILE* file = _wfopen((folder + L"\\guide-6-breakwater.svg").c_str(), L"wb");
    if (!file || std::fwrite(svg.data(), 1, svg.size(), file) != svg.size() || std::fclose(file) != 0)
        failStep(L"cannot write the breakwater figure");
    say(stdout, L"guide_driver: figure %ls\\guide-6-breakwater.svg\n", folder.c_str());
}

}  // namespace guide
