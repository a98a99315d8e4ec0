// Start-up on the sample data under Wine: every list loads without a message
// box, the index files are written, and the next start takes them as cached.
#include <gtest/gtest.h>

#include <string>

#include "bathymetry/chart_tables.h"
#include "bathymetry/coastline.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/spreading_relations.h"
#include "platform/platform.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "tests/support/recording_platform.h"
#include "win32_test_support.h"

namespace vornel {
namespace {

// The system platform, with warnings recorded instead of shown and the
// contour files that were opened counted.
class CountingPlatform : public RecordingPlatform {
public:
    int contourOpens = 0;

    std::FILE* openFile(const std::wstring& p, const char* m) override {
        const bool chart = p.find(L"万分の1\\") != std::wstring::npos;
        if (chart || (p.size() > 4 && p.compare(p.size() - 4, 4, L".con") == 0)) ++contourOpens;
        return RecordingPlatform::openFile(p, m);
    }
};

HWND startProgram() {
    resetAppState();
    HWND main = createMainWindow(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    test::pumpMessages(200);
    return main;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(Startup, SampleDataLoadsQuietlyAndIndexFilesAreCached) {
    const std::wstring folder = test::enterRunFolder(L"startup");
    for (const wchar_t* grd : {L"\\Db01\\kowan.grd", L"\\Db01\\otable5.grd", L"\\Db01\\otable20.grd"})
        DeleteFileW((folder + grd).c_str());
    test::copySampleData(folder);

    {
        CountingPlatform counting;
        HWND main = startProgram();
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(counting.warnings.empty()) << test::narrow(counting.warnings.empty() ? L"" : counting.warnings[0].text);
        EXPECT_GT(counting.contourOpens, 0);  // the extents were worked out
        EXPECT_GE(harbourList().harbourCount, 8);
        EXPECT_GT(chart50kList().count, 0);
        EXPECT_GT(chart200kList().count, 0);
        EXPECT_GE(spreadingRelations().relationCount, 2);
        EXPECT_GT(coastline().coastlinePointCount, 1000);
        EXPECT_EQ(dataFolders().programFolder, folder);
        for (int i = 0; i < harbourList().harbourCount; ++i) {
            const HarbourRecord& h = harbourList().records[i];
            EXPECT_GT(h.northLat, h.southLat) << h.name;
            EXPECT_GT(h.eastLon, h.westLon) << h.name;
            EXPECT_GT(h.originLon, 120.0) << h.name;
        }
        DestroyWindow(main);
        test::pumpMessages(50);
    }
    EXPECT_TRUE(fileExists(folder + L"\\Db01\\kowan.grd"));
    EXPECT_TRUE(fileExists(folder + L"\\Db01\\otable5.grd"));
    EXPECT_TRUE(fileExists(folder + L"\\Db01\\otable20.grd"));

    // The second start takes every extent from the index files.
    {
        CountingPlatform counting;
        HWND main = startProgram();
        ASSERT_NE(main, nullptr);
        EXPECT_TRUE(counting.warnings.empty());
        EXPECT_EQ(counting.contourOpens, 0);
        DestroyWindow(main);
        test::pumpMessages(50);
    }
}

}  // namespace
}  // namespace vornel
