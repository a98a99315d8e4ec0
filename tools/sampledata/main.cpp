// make_sample_data: writes the sample data set, laid out as beside VORNEL.exe.
//
//   make_sample_data <japan_coast.txt> <output folder>
//
// The output is a pure function of the coastline file: no clock, no random
// seed from outside, no locale.
#include <exception>
#include <iostream>

#include "outputs.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make_sample_data <japan_coast.txt> <output folder>\n";
        return 2;
    }
    try {
        const std::vector<sampledata::CoastPolygon> coast = sampledata::readCoastPolygons(argv[1]);
        const std::filesystem::path root = argv[2];
        std::cout << "sample data in " << root.string() << ":\n";
        sampledata::writeCoastline(root, coast, std::cout);
        const auto harbours = sampledata::writeHarbours(root, coast, std::cout);
        sampledata::writeCharts(root, coast, harbours, std::cout);
        sampledata::writeM7000(root, coast, harbours, std::cout);
        sampledata::writeSpreadingRelations(root, std::cout);
    } catch (const std::exception& e) {
        std::cerr << "make_sample_data: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
