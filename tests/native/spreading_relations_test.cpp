#include "bathymetry/spreading_relations.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bathymetry/data_folder.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "support/recording_platform.h"

namespace vornel {
namespace {

namespace fs = std::filesystem;

class Relations : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("vornel_relations_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        resetAppState();
        dataFolders().programFolder = widen(folder_.string());
    }
    void TearDown() override {
        fs::remove_all(folder_);
        resetAppState();
    }
    void load(const std::string& bytes) {
        std::ofstream(folder_ / "parameter.lst", std::ios::binary) << bytes;
        loadSpreadingRelations(nullptr);
    }
    static std::string line(const std::string& name, int k, const char* sep = ",") {
        return name + sep + "S" + std::to_string(k) + sep + std::to_string(k) + ".5" + sep + std::to_string(100 + k) +
               "\r\n";
    }

    RecordingPlatform rec_;
    fs::path folder_;
};

TEST_F(Relations, GroupedAndInterleavedFilesGiveTheSameList) {
    std::string grouped, interleaved;
    for (int k = 0; k < 16; ++k) grouped += line("A", k);
    for (int k = 0; k < 16; ++k) grouped += line("B", k, "\t");
    for (int k = 0; k < 16; ++k) interleaved += line("B", k, "\t") + line("A", k);
    for (const std::string& file : {grouped, interleaved}) {
        load(file);
        const SpreadingRelationList& list = spreadingRelations();
        ASSERT_EQ(list.relationCount, 2);
        for (int r = 0; r < 2; ++r) {
            ASSERT_EQ(list.relations[r].rowCount, 16);
            for (int k = 0; k < 16; ++k) {
                EXPECT_EQ(std::string(list.relations[r].rows[k].label), "S" + std::to_string(k));
                EXPECT_DOUBLE_EQ(list.relations[r].rows[k].slope, k + 0.5);
                EXPECT_DOUBLE_EQ(list.relations[r].rows[k].intercept, 100.0 + k);
            }
        }
        // Order of first appearance.
        EXPECT_STREQ(list.relations[0].name, file == grouped ? "A" : "B");
    }
    EXPECT_TRUE(rec_.warnings.empty());
}

TEST_F(Relations, TokenRules) {
    load(
        "A,N,0.5\n"                    // incomplete: overwritten by the next row of A
        "B\n"                          // a single token only creates the relation
        "A,\tNNE,,0.7\t,12,extra\r\n"  // runs of separators, a fifth token
        "\x95\xfb\x8c\xfc,E,abc,x\n"   // a Shift_JIS name (方向); non-numbers read as 0
        "A,NE,-1e-1,3");               // the last line without line end
    const SpreadingRelationList& list = spreadingRelations();
    ASSERT_EQ(list.relationCount, 3);
    EXPECT_STREQ(list.relations[0].name, "A");
    ASSERT_EQ(list.relations[0].rowCount, 2);
    EXPECT_STREQ(list.relations[0].rows[0].label, "NNE");
    EXPECT_DOUBLE_EQ(list.relations[0].rows[0].slope, 0.7);
    EXPECT_DOUBLE_EQ(list.relations[0].rows[0].intercept, 12.0);
    EXPECT_DOUBLE_EQ(list.relations[0].rows[1].slope, -0.1);
    EXPECT_EQ(list.relations[1].rowCount, 0);
    EXPECT_STREQ(list.relations[2].name, "\x95\xfb\x8c\xfc");
    EXPECT_EQ(list.relations[2].rowCount, 1);
    EXPECT_EQ(list.relations[2].rows[0].slope, 0.0);
}

TEST_F(Relations, MissingFileEmptiesAnEarlierList) {
    load("A,N,1,2\n");
    ASSERT_EQ(spreadingRelations().relationCount, 1);
    fs::remove(folder_ / "parameter.lst");
    loadSpreadingRelations(nullptr);
    EXPECT_EQ(spreadingRelations().relationCount, 0);
    EXPECT_EQ(spreadingRelations().relations[0].rowCount, 0);
    EXPECT_EQ(spreadingRelations().relations[0].rows[0].slope, 0.0);  // zero-filled again
    EXPECT_TRUE(rec_.warnings.empty());
}

TEST_F(Relations, CapacitiesAreKeptWithAWarning) {
    std::string file;
    for (int i = 0; i < 22; ++i) file += "R" + std::to_string(i) + ",N,1,2\n";
    file += "R21,N,1,2\n";  // a dropped name counts once
    for (int k = 0; k < 18; ++k) file += line("R0", k);
    file += "R1,NNEEEEEEEEEEEEEEEEE,1,2\n";
    file += "R2,\x96\x6b\x96\x6b\x93\x8c,1,2\n";  // 北北東: cut to whole characters
    load(file);
    const SpreadingRelationList& list = spreadingRelations();
    EXPECT_EQ(list.relationCount, 20);
    EXPECT_STREQ(list.relations[19].name, "R19");
    ASSERT_EQ(list.relations[0].rowCount, 16);
    EXPECT_STREQ(list.relations[0].rows[15].label, "S14");  // row 0 came from "R0,N,1,2"
    EXPECT_STREQ(list.relations[1].rows[1].label, "NNEEE");
    EXPECT_STREQ(list.relations[2].rows[1].label, "\x96\x6b\x96\x6b");
    ASSERT_EQ(rec_.warnings.size(), 2u);
    EXPECT_EQ(rec_.warnings[0].caption, widen("parameter.lstの読込"));
    EXPECT_EQ(rec_.warnings[0].text, widen("既定数を超えるデータが有ります。[parameter.lst](22>20)"));
    EXPECT_EQ(rec_.warnings[1].text, widen("既定数を超えるデータが有ります。[parameter.lst](19>16)"));
}

}  // namespace
}  // namespace vornel
