// The files of the sample data set, one writer per kind. Each writes under
// `root`, the folder that holds the program, and reports what it wrote.
#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

#include "geometry.h"
#include "seabed.h"
#include "sites.h"

namespace sampledata {

struct GeneratedHarbour {
    const HarbourSite* site;
    PlacedWorks works;
};

// japan.llm: the coastline polygons in degrees and minutes.
void writeCoastline(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast, std::ostream& log);

// Db01/kowan.lst and Db01/<region>/<harbour>.con.
std::vector<GeneratedHarbour> writeHarbours(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast,
                                            std::ostream& log);

// Db01/otable.5, Db01/otable.20 and the chart files in Db01/5万分の1 and
// Db01/20万分の1; the harbours' works appear on the 1:50,000 sheets.
void writeCharts(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast,
                 const std::vector<GeneratedHarbour>& harbours, std::ostream& log);

// Db01/M7000.Lst and the M7000 data folder M7000/ (a shapefile data set and a
// text data set near two of the harbours).
void writeM7000(const std::filesystem::path& root, const std::vector<CoastPolygon>& coast,
                const std::vector<GeneratedHarbour>& harbours, std::ostream& log);

// parameter.lst: the directional spreading relations.
void writeSpreadingRelations(const std::filesystem::path& root, std::ostream& log);

}  // namespace sampledata
