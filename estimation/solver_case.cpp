#include "estimation/solver_case.h"

#include <cstdlib>

#include "platform/text.h"

namespace vornel {

namespace {

void appendLine(std::string& text, const std::string& line) {
    text += line;
    text += "\r\n";
}

}  // namespace

SolverCase solverCaseOf(const EstimationParams& p, std::string_view title, double theta, double height, double period,
                        double direction) {
    SolverCase c;
    c.title = std::string(title);
    c.thetaCon = p.thetaCon;
    // Without the diffraction point the solver gets its own marker as θdiff
    // and zeros for θ and the tip depth.
    const bool off = p.diffractionOff != 0;
    c.thetaDiff = off ? kNoDiffractionMarker : breakwaterNormal(p.shoreNormal);
    c.theta = off ? 0.0 : theta;
    c.tipDepth = off ? 0.0 : p.diffractionPoint.depth;
    c.pointDepth = p.quasiOffshorePoint.depth;
    c.height = height;
    c.period = period;
    c.direction = direction;
    return c;
}

std::string solverInputText(const SolverCase& c) {
    std::string text;
    appendLine(text, c.title);
    appendLine(text, format("azim**|%5.1f", c.thetaCon));
    appendLine(text, format("angl**|%5.1f", c.thetaDiff));
    appendLine(text, format("sit***|%5.1f", c.theta));
    appendLine(text, format("hh_B**|%5.1f", c.tipDepth));
    appendLine(text, format("hh_A**|%5.1f", c.pointDepth));
    appendLine(text, format("h13***|%5.2f", c.height));
    appendLine(text, format("t13***|%5.2f", c.period));
    appendLine(text, format("dir***|%5.1f", c.direction));
    return text;
}

bool contourClockwiseOfBreakwater(double thetaCon, double thetaDiff) {
    double delta = asWrittenTenths(thetaCon) - asWrittenTenths(thetaDiff);
    while (delta > 180.0) delta -= 360.0;
    while (delta < -180.0) delta += 360.0;
    return delta >= 0.0;
}

double asWrittenTenths(double value) {
    return std::strtod(format("%.1f", value).c_str(), nullptr);
}

}  // namespace vornel
