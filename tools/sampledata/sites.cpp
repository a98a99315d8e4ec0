#include "sites.h"

#include <stdexcept>

namespace sampledata {

ZoneOrigin zoneOrigin(int zone) {
    // Origins of zones I … XIX (notification of the Ministry of Land,
    // Infrastructure, Transport and Tourism), degrees.
    static const ZoneOrigin kOrigins[] = {
        {33, 129 + 30 / 60.0},
        {33, 131},
        {36, 132 + 10 / 60.0},
        {33, 133 + 30 / 60.0},
        {36, 134 + 20 / 60.0},
        {36, 136},
        {36, 137 + 10 / 60.0},
        {36, 138 + 30 / 60.0},
        {36, 139 + 50 / 60.0},
        {40, 140 + 50 / 60.0},
        {44, 140 + 15 / 60.0},
        {44, 142 + 15 / 60.0},
        {44, 144 + 15 / 60.0},
        {26, 142},
        {26, 127 + 30 / 60.0},
        {26, 124},
        {26, 131},
        {20, 136},
        {26, 154},
    };
    if (zone < 1 || zone > 19) throw std::runtime_error("no such plane coordinate zone");
    return kOrigins[zone - 1];
}

namespace {

SeabedModel seabed(double deanA, double shelfGradient, double shelfEdge, double slopeGradient, double maxDepth) {
    SeabedModel s;
    s.profile = {deanA, shelfGradient, shelfEdge, slopeGradient, maxDepth};
    return s;
}

HarbourWorks works(double width, double length, double digIn, double depth) {
    HarbourWorks w;
    w.basinWidth = width;
    w.basinLength = length;
    w.digIn = digIn;
    w.basinDepth = depth;
    return w;
}

}  // namespace

const std::vector<HarbourSite>& harbourSites() {
    // Profiles: open sandy coasts (Tomakomai, Kashima, Niigata) are gentle;
    // Suruga Bay (Shimizu) and Kagoshima Bay fall steeply into deep water;
    // Osaka Bay (Kobe) and Hakata Bay are shallow enclosed bays; Naha has a
    // narrow shelf. Works: the dug-in ports (Tomakomai, Kashima) reach far
    // into the land.
    static const std::vector<HarbourSite> sites = {
        {"苫小牧", "Tomakomai", "北海道", 42.630, 141.620, 12, seabed(0.09, 0.004, 30000, 0.03, 3000),
         works(2400, 1500, 1200, 14)},
        {"小樽", "Otaru", "北海道", 43.205, 141.010, 11, seabed(0.12, 0.008, 25000, 0.03, 3000),
         works(2000, 1000, 200, 10)},
        {"八戸", "Hachinohe", "東北", 40.540, 141.525, 10, seabed(0.10, 0.005, 25000, 0.04, 3000),
         works(2200, 1400, 300, 13)},
        {"鹿島", "Kashima", "関東", 35.910, 140.690, 9, seabed(0.09, 0.003, 40000, 0.03, 3000),
         works(1600, 1500, 2500, 14)},
        {"新潟", "Niigata", "北陸", 37.955, 139.060, 8, seabed(0.08, 0.004, 35000, 0.03, 2500),
         works(2000, 1200, 300, 12)},
        {"清水", "Shimizu", "中部", 35.015, 138.505, 8, seabed(0.15, 0.02, 8000, 0.06, 2500),
         works(1600, 1000, 200, 12)},
        {"神戸", "Kobe", "近畿", 34.665, 135.175, 5, seabed(0.08, 0.001, 60000, 0.0, 30), works(3000, 1200, 100, 12),
         12000, 160},
        {"博多", "Hakata", "九州", 33.610, 130.400, 2, seabed(0.07, 0.0, 60000, 0.0, 25), works(1800, 1000, 200, 12)},
        {"鹿児島", "Kagoshima", "九州", 31.595, 130.565, 2, seabed(0.12, 0.012, 4000, 0.04, 230),
         works(1400, 900, 100, 12)},
        {"那覇", "Naha", "沖縄", 26.215, 127.668, 15, seabed(0.12, 0.01, 6000, 0.08, 3000), works(1600, 1100, 200, 12)},
    };
    return sites;
}

const std::vector<ChartSite>& chart50kSites() {
    static const std::vector<ChartSite> sites = {
        {"6376_1", "苫小牧港付近", "Tomakomai", 42.575, 141.650, 28000, 20000, 12, "苫小牧"},
        {"6331_1", "新潟港付近", "Niigata", 38.000, 139.050, 28000, 20000, 8, "新潟"},
        {"6366_1", "鹿島港付近", "Kashima", 35.900, 140.760, 24000, 24000, 9, "鹿島"},
        {"6384_1", "神戸港付近", "Kobe", 34.620, 135.230, 28000, 20000, 5, "神戸"},
        {"6350_1", "博多湾", "Hakata Bay", 33.650, 130.330, 28000, 20000, 2, "博多"},
    };
    return sites;
}

const std::vector<ChartSite>& chart200kSites() {
    static const std::vector<ChartSite> sites = {
        {"6377", "苫小牧沖", "off Tomakomai", 42.250, 141.750, 110000, 80000, 12, "苫小牧"},
        {"6366", "鹿島灘", "Kashima-nada", 35.950, 140.950, 90000, 100000, 9, "鹿島"},
        {"6390", "沖縄島南部", "southern Okinawa", 26.300, 127.750, 100000, 90000, 15, "那覇"},
    };
    return sites;
}

}  // namespace sampledata
