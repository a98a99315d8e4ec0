#include "result_files.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "angles.h"
#include "program_version.h"

namespace zelvo {

namespace {

const char* const kEchoFormats[kInputFieldCount] = {"%.1f", "%.1f", "%.1f", "%.1f", "%.1f", "%.2f", "%.2f", "%.1f"};

}  // namespace

void appendf(std::string& out, const char* format, ...) {
    char buffer[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n > 0) out.append(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

double printedDirection(double degrees) {
    double rounded = std::round(azimuth360(degrees) * 10.0) / 10.0;
    if (rounded >= 360.0) rounded -= 360.0;
    return rounded == 0.0 ? 0.0 : rounded;  // no "-0.0"
}

std::string resultFileName(const std::string& title) {
    return "zelvo-out_" + title + ".tmp";
}
std::string reportFileName(const std::string& title) {
    return "zelvo-out_" + title + ".txt";
}

std::string echoValue(const CaseInput& input, int field) {
    std::string s;
    appendf(s, kEchoFormats[field], input.values[field]);
    return s;
}

std::string formatResultFile(const CaseInput& input, const std::vector<Candidate>& candidates) {
    std::string out = "smax       ho   thetaO\r\n";
    for (const Candidate& c : candidates)
        appendf(out, "%4d %8.3f %8.1f\r\n", c.smax, c.offshoreHeight, printedDirection(c.offshoreDirection));
    out += "\r\n*****\r\n";
    if (candidates.empty()) return out;
    out += input.title + "\r\n";
    for (int f = 0; f < kInputFieldCount; ++f) out += std::string(kInputTags[f]) + echoValue(input, f) + "\r\n";
    return out;
}

std::string formatReport(const CaseInput& input, const std::vector<Candidate>& candidates) {
    const double* v = input.values;
    std::string out;
    out += "ZELVO v3  inverse estimation of offshore waves\r\n";
    appendf(out, "Program: %s %s\r\n", kProgramName, kProgramVersion);
    out += "Case: " + input.title + "\r\n\r\n";
    out += "Input (zelvo-in.txt)\r\n";
    appendf(out, "  contour normal theta_con            %8.1f deg\r\n", v[CONTOUR_NORMAL]);
    if (input.diffraction()) {
        appendf(out, "  virtual breakwater normal theta_diff %7.1f deg\r\n", v[BREAKWATER_NORMAL]);
        appendf(out, "  point seen from the tip theta       %8.1f deg\r\n", v[POINT_ANGLE]);
        appendf(out, "  depth at the breakwater tip         %8.1f m\r\n", v[TIP_DEPTH]);
    } else {
        out += "  diffraction point                   not used\r\n";
    }
    appendf(out, "  depth at the quasi-offshore point   %8.1f m\r\n", v[POINT_DEPTH]);
    appendf(out, "  H1/3 at the point                   %8.2f m\r\n", v[HEIGHT]);
    appendf(out, "  T1/3                                %8.2f s\r\n", v[PERIOD]);
    appendf(out, "  wave direction at the point         %8.1f deg\r\n\r\n", v[DIRECTION]);

    out += "Method\r\n";
    out += "  Offshore: Bretschneider-Mitsuyasu spectrum (T1/3 conserved), Mitsuyasu spreading\r\n";
    out += "  cos^2s((theta-theta_o)/2), s = Smax (f/fp)^5 below fp, Smax (f/fp)^-2.5 above.\r\n";
    out += "  Refraction and shoaling over straight parallel contours, Snell's law and linear\r\n";
    out += "  theory per component; m0 = offshore energy travelling shoreward.\r\n";
    if (input.diffraction())
        out +=
            "  Diffraction: components passing the tip on the open side of the virtual\r\n"
            "  breakwater reach the point (cumulative relative energy, far field).\r\n";
    out += "  Directions: energy-weighted circular (vector) mean of the components at the point.\r\n\r\n";

    out += "Candidates\r\n";
    if (candidates.empty()) {
        out += "  No offshore direction reproduces the observed direction: no estimate.\r\n";
        return out;
    }
    if (input.diffraction())
        out += "  Smax      Ho  theta_o      K  Kr_tip  Ks_tip     Kd     Kr     Ks  dir_tip  dir_point\r\n";
    else
        out += "  Smax      Ho  theta_o      K     Kr     Ks  dir_point\r\n";
    for (const Candidate& c : candidates) {
        const Transformation& t = c.transformation;
        if (input.diffraction())
            appendf(out, "  %4d %7.3f %8.2f %6.3f %7.3f %7.3f %6.3f %6.3f %6.3f %8.2f %10.2f\r\n", c.smax,
                    c.offshoreHeight, c.offshoreDirection, t.coefficient, t.tipRefraction, t.tipShoaling, t.diffraction,
                    t.refraction, t.shoaling, t.passingDirection, t.direction);
        else
            appendf(out, "  %4d %7.3f %8.2f %6.3f %6.3f %6.3f %10.2f\r\n", c.smax, c.offshoreHeight,
                    c.offshoreDirection, t.coefficient, t.refraction, t.shoaling, t.direction);
    }
    out +=
        "  K = H1/3 at the point / Ho; Ho = H1/3 / K. Directions in degrees clockwise from north,\r\n"
        "  the direction the waves come from.\r\n";
    return out;
}

}  // namespace zelvo
