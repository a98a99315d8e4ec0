// zelvo_limits: the refraction-limit table of the guide, computed by the solver's own model.
//
//   zelvo_limits                 prints the Markdown table
//   zelvo_limits --check GUIDE   exit 0 when GUIDE holds the table as printed (lines compared
//                                without their indentation), else 1 with the line that differs
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "refraction_limits.h"

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line.substr(std::min(line.size(), line.find_first_not_of(" \t"))));
    }
    return lines;
}

int check(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "zelvo_limits: cannot read %s\n", path);
        return 1;
    }
    std::stringstream text;
    text << file.rdbuf();
    const std::string table = zelvo::refractionLimitTable();
    const std::vector<std::string> expected = linesOf(table);
    const std::vector<std::string> guide = linesOf(text.str());
    for (std::size_t i = 0; i < guide.size(); ++i) {
        if (guide[i] != expected[0]) continue;
        for (std::size_t j = 1; j < expected.size(); ++j) {
            if (i + j >= guide.size() || guide[i + j] != expected[j]) {
                std::fprintf(stderr, "zelvo_limits: %s line %zu reads \"%s\", the solver gives \"%s\"; the table is:\n%s",
                             path, i + j + 1, i + j < guide.size() ? guide[i + j].c_str() : "", expected[j].c_str(),
                             table.c_str());
                return 1;
            }
        }
        return 0;
    }
    std::fprintf(stderr, "zelvo_limits: %s has no line \"%s\"; the table is:\n%s", path, expected[0].c_str(),
                 table.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 1) {
        std::fputs(zelvo::refractionLimitTable().c_str(), stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) return check(argv[2]);
    std::fprintf(stderr, "usage: zelvo_limits [--check GUIDE]\n");
    return 2;
}
