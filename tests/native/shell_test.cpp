#include <gtest/gtest.h>

#include "bathymetry/data_folder.h"
#include "estimation/estimation_windows.h"
#include "shell/app_state.h"
#include "shell/depth_colours.h"
#include "shell/startup.h"

namespace vornel {
namespace {

TEST(DepthColourTable, RampFromDarkBlueToMagenta) {
    int table[256][3];
    buildDepthColourTable(table);
    struct Row {
        int index, r, g, b;
    };
    // The telling rows of the ramp, including both ends of the warped bands.
    const Row rows[] = {{0, 0, 0, 128},     {10, 0, 30, 191},   {19, 0, 74, 249},  {20, 0, 80, 255},
                        {60, 0, 240, 255},  {64, 0, 255, 253},  {75, 0, 255, 165}, {105, 75, 255, 0},
                        {128, 255, 253, 0}, {150, 255, 165, 0}, {191, 255, 1, 0},  {195, 255, 0, 15},
                        {240, 255, 0, 195}, {255, 255, 0, 255}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        EXPECT_EQ(table[row.index][0], row.r);
        EXPECT_EQ(table[row.index][1], row.g);
        EXPECT_EQ(table[row.index][2], row.b);
    }
}

TEST(Startup, ProgramFolderIsTheCurrentFolder) {
    resetAppState();
    loadStartupData(nullptr);
    EXPECT_FALSE(dataFolders().programFolder.empty());
    EXPECT_EQ(appState().depthColourTable[255][2], 255);
    EXPECT_EQ(appState().viewMode, VIEW_OVERVIEW);
    EXPECT_EQ(estimationWindows().paramDialogOpen, -1);
}

}  // namespace
}  // namespace vornel
