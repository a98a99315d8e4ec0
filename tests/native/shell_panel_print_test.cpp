// The side panel's decisions and texts, and the arithmetic and order of a print.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text.h"
#include "shell/app_state.h"
#include "shell/print_job.h"
#include "shell/side_panel.h"

namespace vornel {
namespace {

std::vector<int> idsOf(const SidePanelPlan& plan) {
    std::vector<int> ids;
    for (const PanelControl& c : plan.create) ids.push_back(c.id);
    return ids;
}

TEST(SidePanel, PanelPerModeKeepsTheChoicesAcrossRebuilds) {
    resetAppState();
    AppState& app = appState();
    SidePanelPlan plan = planSidePanel(-1, VIEW_OVERVIEW);
    EXPECT_FALSE(plan.destroyContourControls || plan.destroyOverviewControls);
    ASSERT_EQ(idsOf(plan), (std::vector<int>{40, 41, 42, 43}));
    EXPECT_EQ(plan.create[0].text, widen("ナルテ"));
    EXPECT_TRUE(plan.create[0].checked);  // only the harbour extents are shown at start
    EXPECT_FALSE(plan.create[3].checked);
    EXPECT_EQ(plan.create[3].y, 72);

    app.overviewSourceFlags[2] = 1;
    app.pointKindSelection[1] = 1;
    plan = planSidePanel(VIEW_OVERVIEW, VIEW_CONTOUR);
    EXPECT_TRUE(plan.destroyOverviewControls);
    ASSERT_EQ(idsOf(plan), (std::vector<int>{10, 11, 12, 50, 51, 52, 53, 30}));
    EXPECT_TRUE(plan.create[3].startsGroup);
    EXPECT_TRUE(plan.create[4].checked);
    EXPECT_EQ(plan.create[7].kind, PanelControlKind::Button);
    EXPECT_EQ(plan.create[7].text, widen("設定"));
    EXPECT_EQ(plan.create[7].y, 155);

    // Between the two contour views the panel and its read-outs stay.
    plan = planSidePanel(VIEW_CONTOUR, VIEW_M7000);
    EXPECT_TRUE(plan.create.empty());
    EXPECT_FALSE(plan.destroyContourControls);
    EXPECT_TRUE(planSidePanel(VIEW_OVERVIEW, VIEW_OVERVIEW).create.empty());

    plan = planSidePanel(VIEW_M7000, VIEW_OVERVIEW);
    EXPECT_TRUE(plan.destroyContourControls);
    EXPECT_TRUE(plan.create[2].checked);  // the 1:200,000 box kept its mark
}

TEST(SidePanel, ReadOutsCarrySecondsIntoMinutesAndDegrees) {
    EXPECT_EQ(latitudeReadOut(34.99999999), widen("緯度：35°00′ 0.0000″"));
    EXPECT_EQ(latitudeReadOut(35.5), widen("緯度：35°30′ 0.0000″"));
    EXPECT_EQ(longitudeReadOut(139.25), widen("経度：139°15′ 0.0000″"));
    EXPECT_EQ(longitudeReadOut(139.0 + 1.0 / 60 + 2.5 / 3600), widen("経度：139°01′ 2.5000″"));
    EXPECT_EQ(latitudeReadOut(5.5), widen("緯度： 5°30′ 0.0000″"));
    EXPECT_EQ(depthReadOut(12.34), widen("水深：    12.3m"));
}

TEST(SidePanel, SourceBoxesAndRadioFlipRule) {
    resetAppState();
    AppState& app = appState();
    EXPECT_TRUE(toggleOverviewSource(41));
    EXPECT_EQ(app.overviewSourceFlags[1], 1);
    EXPECT_TRUE(toggleOverviewSource(40));
    EXPECT_EQ(app.overviewSourceFlags[0], 0);
    EXPECT_FALSE(flipPointKind(50));  // no radio buttons in the overview

    app.viewMode = VIEW_CONTOUR;
    EXPECT_FALSE(toggleOverviewSource(41));
    EXPECT_EQ(app.overviewSourceFlags[1], 1);
    EXPECT_TRUE(flipPointKind(51));
    EXPECT_EQ(app.pointKindSelection[1], 1);
    flipPointKind(53);
    EXPECT_EQ(app.pointKindSelection[1], 0);
    EXPECT_EQ(app.pointKindSelection[3], 1);
    // A second click on the checked button clears its kind, a third sets it again.
    flipPointKind(53);
    EXPECT_EQ(app.pointKindSelection[3], 0);
    flipPointKind(53);
    EXPECT_EQ(app.pointKindSelection[3], 1);
}

TEST(SidePanel, SetButtonNeedsDialogPickAndKind) {
    resetAppState();
    AppState& app = appState();
    app.viewMode = VIEW_CONTOUR;
    app.pointKindSelection[2] = 1;
    EXPECT_EQ(pointKindToSet(), -1);  // dialog closed
    app.paramDialogOpen = 1;
    EXPECT_EQ(pointKindToSet(), -1);  // no pick yet
    app.mapPick.entry[1].lat = 35.0;
    EXPECT_EQ(pointKindToSet(), 2);
    app.pointKindSelection[2] = 0;
    EXPECT_EQ(pointKindToSet(), -1);
}

TEST(PrintLayout, LargestWholeEnlargementCentred) {
    PagePlacement p = placeOnPage(600, 400, 4960, 7016);
    EXPECT_EQ(p.scale, 8);
    EXPECT_EQ(p.width, 4800);
    EXPECT_EQ(p.height, 3200);
    EXPECT_EQ(p.x, 80);
    EXPECT_EQ(p.y, 1908);

    p = placeOnPage(6000, 400, 4960, 7016);  // wider than the page
    EXPECT_EQ(p.scale, 0);
    EXPECT_EQ(p.width, 0);
    EXPECT_EQ(p.x, 2480);
    EXPECT_EQ(p.y, 3508);
    EXPECT_EQ(placeOnPage(0, 0, 4960, 7016).scale, 0);  // a minimised window
}

// Records the steps of a print.
struct RecordingPrintDevice : PrintDevice {
    bool confirm = true;
    std::vector<std::string> calls;
    PagePlacement copied{}, framed{};
    PrintRect source{};

    bool beginJob() override {
        calls.push_back("begin");
        return confirm;
    }
    void captureScreen() override { calls.push_back("capture"); }
    PrintRect windowBounds() override {
        calls.push_back("bounds");
        return {100, 50, 700, 450};
    }
    void pageSize(int& w, int& h) override {
        calls.push_back("page size");
        w = 4960, h = 7016;
    }
    void startPage() override { calls.push_back("start page"); }
    void copyImage(const PrintRect& s, const PagePlacement& t) override {
        calls.push_back("copy");
        source = s, copied = t;
    }
    void drawFrame(const PagePlacement& t) override {
        calls.push_back("frame");
        framed = t;
    }
    void endPage() override { calls.push_back("end page"); }
    void endJob() override { calls.push_back("end job"); }
};

TEST(PrintLayout, PrintsOnePageInOrderAndNothingWhenCancelled) {
    RecordingPrintDevice device;
    printWindowImage(device);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"begin", "capture", "bounds", "page size", "start page", "copy",
                                                      "frame", "end page", "end job"}));
    EXPECT_EQ(device.source.left, 100);
    EXPECT_EQ(device.copied.scale, 8);
    EXPECT_EQ(device.copied.x, 80);
    EXPECT_EQ(device.framed.y, 1908);
    EXPECT_EQ(device.framed.height, 3200);

    RecordingPrintDevice cancelled;
    cancelled.confirm = false;
    printWindowImage(cancelled);
    EXPECT_EQ(cancelled.calls, std::vector<std::string>{"begin"});
}

}  // namespace
}  // namespace vornel
