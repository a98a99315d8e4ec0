// The layers of VORNEL, and the test that keeps them.
//
// Bottom first. A file may include files of its own folder, of the other
// folders of its line and of every line before it; never of a line after it.
// Each folder so reads with only its own line and the lines before it open.
// Besides, no two units of VORNEL (a header with its source file) may need
// each other, in one folder or across, and no two files of the other programs
// may include each other. Tests, benchmarks, fuzzers and tools (and the tests
// inside the other programs' folders) stand outside and are not read.
#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 6> kLayers = {
    "resources",           // the ids of the menus, dialogs and strings (no code)
    "platform",            // the seam to the operating system
    "geodesy bathymetry",  // coordinates and the contour query; the data files and their stores
    "mapview",             // drawing the map from what it is handed
    "estimation",          // the case, the solver exchange, the dialogs
    "shell",               // the main window, which keeps the application state and wires the rest
};

// The two other programs, each with what it may include besides itself: the
// grid converter writes what VORNEL's loaders read; the solver shares nothing.
struct OwnSet {
    std::string_view folder;
    std::string_view mayInclude;
};
constexpr std::array<OwnSet, 2> kOtherPrograms = {{
    {"gridcontour", "platform geodesy bathymetry"},
    {"solver", ""},
}};

// Headers the build writes (the version of CMakeLists.txt): any program may
// include them by their bare name.
constexpr std::array<std::string_view, 1> kGenerated = {"version.h"};

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> words(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Where each folder stands: its line in kLayers, or the set of another program.
struct Architecture {
    std::map<std::string, int> rank;                                  // layered folder → line
    std::map<std::string, std::set<std::string>> otherProgramMayUse;  // program folder → folders

    Architecture() {
        for (std::size_t line = 0; line < kLayers.size(); ++line)
            for (const std::string& folder : words(kLayers[line])) rank[folder] = static_cast<int>(line);
        for (const OwnSet& set : kOtherPrograms) {
            const std::vector<std::string> allowed = words(set.mayInclude);
            otherProgramMayUse[std::string(set.folder)] = {allowed.begin(), allowed.end()};
        }
    }
    std::vector<std::string> checkedFolders() const {
        std::vector<std::string> out;
        for (const auto& [folder, line] : rank) out.push_back(folder);
        for (const auto& [folder, allowed] : otherProgramMayUse) out.push_back(folder);
        return out;
    }
    // Empty when `from` may include a file of `to`, else why not.
    std::string refusal(const std::string& from, const std::string& to) const {
        if (from == to) return {};
        if (const auto own = otherProgramMayUse.find(from); own != otherProgramMayUse.end()) {
            if (own->second.count(to)) return {};
            return "is outside what " + from + " may include";
        }
        const auto fromRank = rank.find(from);
        const auto toRank = rank.find(to);
        if (fromRank == rank.end()) return {};  // not a checked folder
        if (toRank == rank.end()) return "reaches outside VORNEL's layers";
        if (toRank->second > fromRank->second) return "runs up the layers: " + from + " is below " + to;
        return {};
    }
};

struct Include {
    std::string file;    // the including file, relative to the source folder
    std::string target;  // the included file, relative to the source folder
    std::string text;    // as written between the quotes
};

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find('/'));
}

// In VORNEL's layers a header and its source file are one unit: two units
// that include each other's files need each other, whichever of the two files
// does it. The other programs are held to their files only.
std::string nodeOf(const std::string& path, const Architecture& arch) {
    return arch.rank.count(folderOf(path)) ? path.substr(0, path.rfind('.')) : path;
}

// The name of a line `#include "name"` (blanks allowed around the '#'), else
// nothing: system includes, comments and other lines.
std::optional<std::string> quotedInclude(std::string_view line) {
    const auto skipBlanks = [&line] {
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    };
    skipBlanks();
    if (!line.starts_with('#')) return std::nullopt;
    line.remove_prefix(1);
    skipBlanks();
    if (!line.starts_with("include")) return std::nullopt;
    line.remove_prefix(7);
    skipBlanks();
    if (!line.starts_with('"')) return std::nullopt;
    line.remove_prefix(1);
    const std::size_t end = line.find('"');
    if (end == std::string_view::npos || end == 0) return std::nullopt;
    return std::string(line.substr(0, end));
}

bool isSourceFile(const fs::path& p) {
    const std::string ext = p.extension().string();
    return ext == ".h" || ext == ".cpp" || ext == ".rc";
}

struct Scan {
    int filesRead = 0;
    std::vector<Include> includes;
    std::vector<std::string> problems;
};

Scan scanSources(const fs::path& root, const Architecture& arch) {
    Scan scan;
    for (const std::string& folder : arch.checkedFolders()) {
        if (!fs::is_directory(root / folder)) continue;
        std::vector<fs::path> files;
        for (auto it = fs::recursive_directory_iterator(root / folder); it != fs::recursive_directory_iterator();
             ++it) {
            if (it->is_directory() && it->path().filename() == "tests") {
                it.disable_recursion_pending();
                continue;
            }
            if (it->is_regular_file() && isSourceFile(it->path())) files.push_back(it->path());
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& path : files) {
            ++scan.filesRead;
            const std::string file = path.lexically_relative(root).generic_string();
            const std::string dir = path.parent_path().lexically_relative(root).generic_string();
            std::ifstream in(path);
            for (std::string line; std::getline(in, line);) {
                const std::optional<std::string> included = quotedInclude(line);
                if (!included) continue;
                const std::string& text = *included;
                std::string target;
                if (text.find('/') != std::string::npos && fs::is_regular_file(root / text)) {
                    target = text;
                } else if (text.find('/') == std::string::npos && fs::is_regular_file(root / dir / text)) {
                    target = dir + "/" + text;
                } else if (std::find(kGenerated.begin(), kGenerated.end(), text) != kGenerated.end()) {
                    continue;
                } else {
                    scan.problems.push_back(file + ": #include \"" + text + "\" names no file of the programs");
                    continue;
                }
                scan.includes.push_back({file, target, text});
            }
        }
    }
    return scan;
}

std::vector<std::string> upwardIncludes(const Scan& scan, const Architecture& arch) {
    std::vector<std::string> problems;
    for (const Include& inc : scan.includes) {
        const std::string why = arch.refusal(folderOf(inc.file), folderOf(inc.target));
        if (!why.empty()) problems.push_back(inc.file + ": #include \"" + inc.text + "\" " + why);
    }
    return problems;
}

// Every cycle among the units and files, each named once by the includes that close it.
std::vector<std::string> includeCycles(const Scan& scan, const Architecture& arch) {
    std::map<std::string, std::map<std::string, const Include*>> edges;  // unit → unit → first include
    for (const Include& inc : scan.includes) {
        const std::string from = nodeOf(inc.file, arch), to = nodeOf(inc.target, arch);
        if (from != to) edges[from].emplace(to, &inc);
    }
    std::map<std::string, int> state;  // 0 unseen, 1 on the path, 2 done
    std::vector<std::string> path;
    std::set<std::string> reported;
    std::vector<std::string> problems;
    auto visit = [&](auto&& self, const std::string& unit) -> void {
        state[unit] = 1;
        path.push_back(unit);
        for (const auto& [next, inc] : edges[unit]) {
            if (state[next] == 1) {
                // The path from `next` back to here, started at its least unit
                // so that each cycle is named once.
                std::vector<std::string> cycle(std::find(path.begin(), path.end(), next), path.end());
                std::rotate(cycle.begin(), std::min_element(cycle.begin(), cycle.end()), cycle.end());
                std::string text = "include cycle:";
                for (std::size_t i = 0; i < cycle.size(); ++i) {
                    const Include* link = edges[cycle[i]][cycle[(i + 1) % cycle.size()]];
                    text += (i ? ", " : " ") + link->file + " includes \"" + link->text + "\"";
                }
                if (reported.insert(text).second) problems.push_back(text);
            } else if (state[next] == 0) {
                self(self, next);
            }
        }
        path.pop_back();
        state[unit] = 2;
    };
    for (const auto& [unit, targets] : edges)
        if (state[unit] == 0) visit(visit, unit);
    return problems;
}

std::vector<std::string> layerProblems(const fs::path& root, int* filesRead = nullptr) {
    const Architecture arch;
    Scan scan = scanSources(root, arch);
    if (filesRead) *filesRead = scan.filesRead;
    std::vector<std::string> problems = scan.problems;
    for (std::string& p : upwardIncludes(scan, arch)) problems.push_back(std::move(p));
    for (std::string& p : includeCycles(scan, arch)) problems.push_back(std::move(p));
    std::sort(problems.begin(), problems.end());
    return problems;
}

TEST(Layers, EveryIncludeOfTheProgramsKeepsTheLayers) {
    const fs::path root = VORNEL_SOURCE_DIR;
    int filesRead = 0;
    for (const std::string& problem : layerProblems(root, &filesRead)) ADD_FAILURE() << problem;
    // A wrong source folder must not pass as a clean one.
    for (const std::string& folder : Architecture().checkedFolders())
        EXPECT_TRUE(fs::is_directory(root / folder)) << folder;
    EXPECT_GT(filesRead, 200);
}

// A small source tree of its own for each case below.
class PlantedTree : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = fs::temp_directory_path() / ("vornel-layers-" + std::string(info->name()));
        fs::remove_all(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    void write(const std::string& file, const std::string& text) {
        fs::create_directories((root_ / file).parent_path());
        std::ofstream(root_ / file) << text;
    }
    std::vector<std::string> problems() const { return layerProblems(root_); }

    fs::path root_;
};

TEST_F(PlantedTree, IncludesDownAndWithinALineAreAllowed) {
    write("platform/platform.h", "#pragma once\n");
    write("resources/resource.h", "#define IDM_X 1\n");
    write("geodesy/plane_rect.h", "#include \"platform/platform.h\"\n");
    write("bathymetry/store.h", "#include \"geodesy/plane_rect.h\"\n");
    write("geodesy/query.cpp", "#include \"bathymetry/store.h\"\n#include \"query.h\"\n");
    write("geodesy/query.h", "// #include \"shell/app_state.h\" in a comment is no include\n");
    write("shell/about.cpp",
          "#include \"version.h\"\n#include \"resources/resource.h\"\n#include \"geodesy/query.h\"\n");
    write("shell/tests/t.cpp", "#include \"gridcontour/x.h\"\n");  // tests are not read
    EXPECT_EQ(problems(), std::vector<std::string>{});
}

TEST_F(PlantedTree, AnUpwardIncludeIsNamedWithItsFile) {
    write("shell/app_state.h", "#pragma once\n");
    write("estimation/params.h", "#pragma once\n");
    write("mapview/point_markers.cpp", "#include <cmath>\n\n#include \"estimation/params.h\"\n");
    write("bathymetry/data_folder.cpp", "  #  include \"shell/app_state.h\"\n");
    write("platform/paths.cpp", "#include \"mapview/point_markers.h\"\n");
    EXPECT_EQ(problems(), (std::vector<std::string>{
                              "bathymetry/data_folder.cpp: #include \"shell/app_state.h\" runs up the layers: "
                              "bathymetry is below shell",
                              "mapview/point_markers.cpp: #include \"estimation/params.h\" runs up the layers: "
                              "mapview is below estimation",
                              "platform/paths.cpp: #include \"mapview/point_markers.h\" names no file of the programs",
                          }));
}

TEST_F(PlantedTree, TheOtherProgramsKeepToTheirOwnSets) {
    write("bathymetry/m7000_text_columns.h", "#pragma once\n");
    write("mapview/canvas.h", "#pragma once\n");
    write("platform/platform.h", "#pragma once\n");
    write("gridcontour/m7000_writer.cpp",
          "#include \"bathymetry/m7000_text_columns.h\"\n#include \"mapview/canvas.h\"\n#include \"version.h\"\n");
    write("solver/run.cpp", "#include \"platform/platform.h\"\n#include \"run.h\"\n");
    write("solver/run.h", "#pragma once\n");
    write("shell/main.cpp", "#include \"solver/run.h\"\n");
    // A reader's header naming the common header whose source opens that
    // reader is no cycle there; two headers that include each other are.
    write("gridcontour/grid_reader.h", "#pragma once\n");
    write("gridcontour/grid_reader.cpp", "#include \"grid_reader.h\"\n#include \"xyz_grid_reader.h\"\n");
    write("gridcontour/xyz_grid_reader.h", "#include \"grid_reader.h\"\n");
    write("solver/angles.h", "#include \"quadrature.h\"\n");
    write("solver/quadrature.h", "#include \"angles.h\"\n");
    EXPECT_EQ(problems(), (std::vector<std::string>{
                              "gridcontour/m7000_writer.cpp: #include \"mapview/canvas.h\" is outside what "
                              "gridcontour may include",
                              "include cycle: solver/angles.h includes \"quadrature.h\", solver/quadrature.h "
                              "includes \"angles.h\"",
                              "shell/main.cpp: #include \"solver/run.h\" reaches outside VORNEL's layers",
                              "solver/run.cpp: #include \"platform/platform.h\" is outside what solver may include",
                          }));
}

TEST_F(PlantedTree, UnitsThatNeedEachOtherAreACycleWhicheverFileIncludes) {
    // The header of one and the source of the other: still a pair that needs each other.
    write("geodesy/contour_query.h", "#pragma once\n");
    write("geodesy/contour_query.cpp", "#include \"geodesy/contour_query.h\"\n#include \"geodesy/contour_scan.h\"\n");
    write("geodesy/contour_scan.h", "#include \"geodesy/contour_query.h\"\n");
    // Three units round within one line of the layers.
    write("bathymetry/a.h", "#include \"geodesy/b.h\"\n");
    write("geodesy/b.h", "#include \"c.h\"\n");
    write("geodesy/c.h", "#pragma once\n");
    write("geodesy/c.cpp", "#include \"c.h\"\n#include \"bathymetry/a.h\"\n");
    EXPECT_EQ(problems(), (std::vector<std::string>{
                              "include cycle: bathymetry/a.h includes \"geodesy/b.h\", geodesy/b.h includes \"c.h\", "
                              "geodesy/c.cpp includes \"bathymetry/a.h\"",
                              "include cycle: geodesy/contour_query.cpp includes \"geodesy/contour_scan.h\", "
                              "geodesy/contour_scan.h includes \"geodesy/contour_query.h\"",
                          }));
}

}  // namespace
