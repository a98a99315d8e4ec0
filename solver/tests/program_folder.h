// The built program run in a folder of its own, as the main program runs it.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class ProgramFolder : public testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("zelvo_test_" + std::to_string(::getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
    }
    void writeInput(const std::string& bytes) { write("zelvo-in.txt", bytes); }
    // Runs the solver with the folder as the current folder; the streams go outside it.
    int run(const std::string& arguments = "") {
        const std::string command = "cd '" + folder_.string() + "' && '" ZELVO_EXE "' " + arguments + " >'" +
                                    folder_.string() + ".out' 2>'" + folder_.string() + ".err'";
        const int status = std::system(command.c_str());
        std::ifstream err(folder_.string() + ".err");
        std::stringstream s;
        s << err.rdbuf();
        errors_ = s.str();
        std::filesystem::remove(folder_.string() + ".out");
        std::filesystem::remove(folder_.string() + ".err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string read(const std::string& name) const {
        std::ifstream in(folder_ / name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path folder_;
    std::string errors_;
};

// The lines of a CR LF file, without their line ends; a line without CR is kept with a marker
// so that a comparison fails on it.
inline std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        else
            line += "<no CR>";
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Blank-separated tokens of one line.
inline std::vector<std::string> tokens(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}
