// render_contours: draws a contour file over the coastline into a PPM image,
// to look at what the generator made.
//
//   render_contours <japan_coast.txt> <contour file> <out.ppm> [pixels]
//
// The contour file is read by its columns, independently of the generator's
// writer: depth and count from the header, the origin from the DMS fields of
// the first header, four points of 20 columns per line, up to the end record.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "geodesy/plane_rect.h"
#include "geometry.h"

namespace {

using sampledata::PlanePt;

double dms(const std::string& f) {
    if (f.size() != 15 || f[7] != '\'' || f[14] != '"') throw std::runtime_error("bad DMS field: " + f);
    const double v = std::atof(f.substr(8, 6).c_str()) / 3600 + std::atoi(f.substr(5, 2).c_str()) / 60.0 +
                     std::atoi(f.substr(1, 3).c_str());
    return (f[0] == 'S' || f[0] == 'W') ? -v : v;
}

struct Line {
    double depth;
    std::vector<PlanePt> pts;
};

struct Image {
    int w, h;
    std::vector<unsigned char> rgb;
    void dot(int x, int y, int r, int g, int b) {
        if (x < 0 || y < 0 || x >= w || y >= h) return;
        auto* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
        p[0] = static_cast<unsigned char>(r), p[1] = static_cast<unsigned char>(g),
        p[2] = static_cast<unsigned char>(b);
    }
    void line(double x0, double y0, double x1, double y1, int r, int g, int b) {
        const int n = static_cast<int>(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
        for (int k = 0; k <= n; ++k) {
            const double t = static_cast<double>(k) / n;
            dot(static_cast<int>(x0 + t * (x1 - x0)), static_cast<int>(y0 + t * (y1 - y0)), r, g, b);
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: render_contours <japan_coast.txt> <contour file> <out.ppm> [pixels]\n";
        return 2;
    }
    const int size = argc > 4 ? std::atoi(argv[4]) : 1000;
    std::ifstream in(argv[2], std::ios::binary);
    std::string text;
    double oLat = 0, oLon = 0;
    std::vector<Line> lines;
    bool first = true;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.rfind("   1000.00    5", 0) == 0) break;
        if (first) {
            oLat = dms(text.substr(49, 15));
            oLon = dms(text.substr(65, 15));
            first = false;
        }
        Line l{std::atof(text.substr(0, 10).c_str()), {}};
        int n = std::atoi(text.substr(10, 5).c_str());
        while (n > 0 && std::getline(in, text)) {
            for (int p = 0; p < 4 && n > 0; ++p, --n)
                l.pts.push_back(
                    {std::atof(text.substr(20 * p, 10).c_str()), std::atof(text.substr(20 * p + 10, 10).c_str())});
        }
        lines.push_back(std::move(l));
    }
    double minE = 1e18, maxE = -1e18, minN = 1e18, maxN = -1e18;
    for (const Line& l : lines)
        for (const PlanePt& p : l.pts) {
            minE = std::min(minE, p.east), maxE = std::max(maxE, p.east);
            minN = std::min(minN, p.north), maxN = std::max(maxN, p.north);
        }
    const double scale = size / std::max(maxE - minE, maxN - minN);
    Image img{size, size, std::vector<unsigned char>(static_cast<std::size_t>(size) * size * 3, 255)};
    auto px = [&](PlanePt p) { return std::pair<double, double>{(p.east - minE) * scale, (maxN - p.north) * scale}; };
    // coastline in black
    for (const sampledata::CoastPolygon& poly : sampledata::readCoastPolygons(argv[1])) {
        for (std::size_t k = 0; k + 1 < poly.pts.size(); ++k) {
            PlanePt a, b;
            vornel::toPlaneRect(poly.pts[k].lat, poly.pts[k].lon, oLat, oLon, a.north, a.east);
            vornel::toPlaneRect(poly.pts[k + 1].lat, poly.pts[k + 1].lon, oLat, oLon, b.north, b.east);
            if (std::fabs(a.east - minE) > 1e6 || std::fabs(a.north - minN) > 1e6) continue;
            auto [x0, y0] = px(a);
            auto [x1, y1] = px(b);
            img.line(x0, y0, x1, y1, 0, 0, 0);
        }
    }
    // contours from red (shallow) to blue (deep) on a log scale
    for (const Line& l : lines) {
        const double t = std::clamp(std::log(std::max(l.depth, 1.0)) / std::log(2000.0), 0.0, 1.0);
        const int r = static_cast<int>(230 * (1 - t)), g = static_cast<int>(160 * std::sin(t * 3.14159)),
                  b = static_cast<int>(230 * t);
        for (std::size_t k = 0; k + 1 < l.pts.size(); ++k) {
            auto [x0, y0] = px(l.pts[k]);
            auto [x1, y1] = px(l.pts[k + 1]);
            img.line(x0, y0, x1, y1, r, g, b);
        }
    }
    std::ofstream out(argv[3], std::ios::binary);
    out << "P6\n" << size << " " << size << "\n255\n";
    out.write(reinterpret_cast<const char*>(img.rgb.data()), static_cast<std::streamsize>(img.rgb.size()));
    std::cout << lines.size() << " lines, origin " << oLat << " " << oLon << "\n";
    return 0;
}
