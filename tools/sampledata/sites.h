// The harbours and charts of the sample data set: where they are and what
// their seabed looks like. Adding a site means adding a row here.
#pragma once

#include <string>
#include <vector>

#include "seabed.h"

namespace sampledata {

// Origin of one of the official zones of the Japanese plane rectangular
// coordinate system (I … XIX).
struct ZoneOrigin {
    double lat, lon;
};
ZoneOrigin zoneOrigin(int zone);

struct HarbourSite {
    std::string name;    // UTF-8; also the .con file name
    std::string romaji;  // for readers of kowan.lst without Japanese
    std::string region;  // UTF-8; the region folder
    double lat, lon;     // position of the port on the real coast
    int zone;            // plane coordinate zone of the port's prefecture
    SeabedModel seabed;
    HarbourWorks works;
    double extent = 15000;       // m, side of the square surveyed area
    double seawardAzimuth = -1;  // deg; below 0: follow the coastline
};

struct ChartSite {
    std::string code;   // file name in the chart folder; four digits are the chart number
    std::string title;  // UTF-8
    std::string romaji;
    double lat, lon;       // centre of the sheet
    double width, height;  // m
    int zone;
    std::string seabedOf;  // the harbour whose seabed profile the sheet shares
};

const std::vector<HarbourSite>& harbourSites();
const std::vector<ChartSite>& chart50kSites();
const std::vector<ChartSite>& chart200kSites();

}  // namespace sampledata
