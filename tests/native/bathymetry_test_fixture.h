// A temporary program folder with a Db01 data folder for the loader tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bathymetry/chart_tables.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/recording_platform.h"

namespace vornel {

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root_ = std::filesystem::temp_directory_path() / ("vornel_" + std::string(info->test_suite_name()) + "_" +
                                                          info->name() + "_" + std::to_string(getpid()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_ / "Db01");
        resetAppState();
        dataFolders().programFolder = widen(root_.string());
        resetHarbourList();
        resetChartLists();
        resetContourStore();
    }
    void TearDown() override {
        std::filesystem::remove_all(root_);
        resetAppState();
    }

    // Writes `bytes` to the file at `relative` (UTF-8, '/' separated) under the program folder.
    void write(const std::string& relative, const std::string& bytes) {
        const auto path = root_ / relative;
        std::filesystem::create_directories(path.parent_path());
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::string read(const std::string& relative) {
        std::string out;
        if (std::FILE* f = std::fopen((root_ / relative).c_str(), "rb")) {
            char buf[4096];
            std::size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
            std::fclose(f);
        }
        return out;
    }
    bool exists(const std::string& relative) { return std::filesystem::exists(root_ / relative); }
    void mkdir(const std::string& relative) { std::filesystem::create_directories(root_ / relative); }

    // The texts of the recorded warnings, as UTF-8, with their captions.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& w : rec_.warnings) out.push_back(toUtf8(w.text));
        return out;
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const auto& w : rec_.warnings) out.push_back(toUtf8(w.caption));
        return out;
    }

    std::filesystem::path root_;
    RecordingPlatform rec_;
};

// Pads `text` with spaces to `width` characters (or cuts it).
inline std::string pad(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace vornel
