// The side panel's decisions and texts, and the arithmetic and order of a print.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "estimation/estimation_windows.h"
#include "mapview/map_pick.h"
#include "platform/text.h"
#include "shell/app_state.h"
#include "shell/print_job.h"
#include "shell/side_panel.h"

namespace vornel {
namespace {

int pointKindSelectionCount() {
    int chosen = 0;
    for (int flag : appState().pointKindSelection) chosen += flag;
    return chosen;
}

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
    // A second click on the checked button keeps its kind, as the button stays checked.
    flipPointKind(53);
    EXPECT_EQ(app.pointKindSelection[3], 1);
    EXPECT_EQ(pointKindSelectionCount(), 1);
}

TEST(SidePanel, SetButtonNeedsDialogPickAndKind) {
    resetAppState();
    AppState& app = appState();
    app.viewMode = VIEW_CONTOUR;
    app.pointKindSelection[2] = 1;
    EXPECT_EQ(pointKindToSet(), -1);  // dialog closed
    estimationWindows().paramDialogOpen = 1;
    EXPECT_EQ(pointKindToSet(), -1);  // no pick yet
    mapPick().entry[1].lat = 35.0;
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

    // Wider than the page: scaled down to the page's width, never an empty page.
    p = placeOnPage(6000, 400, 4960, 7016);
    EXPECT_EQ(p.scale, 0);
    EXPECT_EQ(p.width, 4960);
    EXPECT_EQ(p.height, 330);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 3343);
    p = placeOnPage(0, 0, 4960, 7016);  // a minimised window: nothing to place
    EXPECT_EQ(p.width * p.height, 0);

    // 600 x 1200 dpi: each pixel of the window is one dot wide and two high,
    // so that 600 x 400 pixels stay 3 : 2 on paper (8 in x 5.33 in).
    p = placeOnPage(600, 400, 4960, 14032, 600, 1200);
    EXPECT_EQ(p.scale, 8);
    EXPECT_EQ(p.width, 4800);
    EXPECT_EQ(p.height, 6400);
    EXPECT_EQ(p.y, 3816);
    p = placeOnPage(6000, 400, 4960, 14032, 600, 1200);
    EXPECT_NEAR(double(p.width) / 600 / (double(p.height) / 1200), 15.0, 0.05);
    EXPECT_EQ(placeOnPage(600, 400, 4960, 7016, 600, 600).x, 80);

    EXPECT_EQ(printDocumentName("逆推定結果", L"Run1"), widen("VORNEL 逆推定結果 Run1"));
    EXPECT_EQ(printDocumentName("地図", L""), widen("VORNEL 地図"));
}

// A dialog of 10 x 8 pixels: client area at (2, 2), 4 wide, showing 3 of its 7
// rows, a scroll bar 2 wide right of it; 3 rows of frame below.
TEST(PrintLayout, AScrolledDialogPrintsItsWholeContentInsideItsFrame) {
    WindowImage shot;
    shot.width = 10, shot.height = 8;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 10; ++x) shot.pixels.push_back(std::uint32_t(y * 16 + x));
    shot.visible = {1, 0, 9, 7};
    const WindowImage whole = unscrolledFrame(shot, {2, 2, 4, 3, 7, 2});
    ASSERT_EQ(whole.width, 8);
    ASSERT_EQ(whole.height, 12);
    const auto at = [&](int x, int y) { return whole.pixels[std::size_t(y) * 8 + x]; };
    EXPECT_EQ(at(0, 0), 0u);            // the caption as it was
    EXPECT_EQ(at(7, 1), 16u + 9);       // right of it, the scroll bar's columns left out
    EXPECT_EQ(at(0, 8), 2u * 16);       // the left border along the grown client area
    EXPECT_EQ(at(6, 8), 2u * 16 + 8);   // the right border
    EXPECT_EQ(at(3, 11), 7u * 16 + 3);  // the bottom of the frame, moved down
    EXPECT_EQ(whole.visible.right, 7);
    EXPECT_EQ(whole.visible.bottom, 11);
    // Nothing scrolled off, or a client area that does not fit: as it is.
    EXPECT_EQ(unscrolledFrame(shot, {2, 2, 4, 3, 3, 2}).height, 8);
    EXPECT_EQ(unscrolledFrame(shot, {2, 2, 7, 3, 7, 2}).width, 10);
}

TEST(PrintLayout, VisiblePartUndoesDisplayScaling) {
    // 150 %: the window manager's physical pixels against a 600 × 400 image,
    // with invisible borders of 10 physical pixels left, right and bottom.
    const PrintRect part = visiblePart({100, 50, 1000, 650}, {110, 50, 990, 640}, 600, 400);
    EXPECT_EQ(part.left, 7);
    EXPECT_EQ(part.top, 0);
    EXPECT_EQ(part.right, 593);
    EXPECT_EQ(part.bottom, 393);
    // A frame outside the window (a stale answer) prints the whole image.
    const PrintRect whole = visiblePart({100, 50, 1000, 650}, {90, 50, 990, 640}, 600, 400);
    EXPECT_EQ(whole.right - whole.left, 600);
    EXPECT_EQ(whole.bottom - whole.top, 400);
}

// Records the steps of a print and the image the printer gets.
struct RecordingPrintDevice : PrintDevice {
    bool confirm = true, captures = true, printerTakesImage = true;
    std::vector<std::string> calls;
    PagePlacement copied{}, framed{};
    PrinterImage sent;

    int copiesAsked = 1;
    bool refuseStart = false, refuseEndPage = false, refuseEndJob = false, emptyWindow = false;

    bool beginJob() override {
        calls.push_back("begin");
        return confirm;
    }
    int copies() override { return copiesAsked; }
    bool captureWindow(WindowImage& image) override {
        calls.push_back("capture");
        // A 5 × 4 window whose visible part is the 3 × 2 block at (1, 1);
        // pixel (x, y) is 0x00RRGGBB with R = y, G = x, B = 0x80.
        image.width = 5, image.height = 4;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) image.pixels.push_back(std::uint32_t(y) << 16 | std::uint32_t(x) << 8 | 0x80);
        image.visible = emptyWindow ? PrintRect{} : PrintRect{1, 1, 4, 3};
        return captures;
    }
    void pageSize(int& w, int& h, int& dpiX, int& dpiY) override {
        calls.push_back("page size");
        w = 40, h = 70, dpiX = dpiY = 300;
    }
    bool startPage() override {
        calls.push_back("start page");
        return !refuseStart;
    }
    bool sendImage(const PrinterImage& image, const PagePlacement& t) override {
        calls.push_back("image");
        sent = image, copied = t;
        return printerTakesImage;
    }
    void drawFrame(const PagePlacement& t) override {
        calls.push_back("frame");
        framed = t;
    }
    bool endPage() override {
        calls.push_back("end page");
        return !refuseEndPage;
    }
    bool endJob() override {
        calls.push_back("end job");
        return !refuseEndJob;
    }
    void abortJob() override { calls.push_back("abort"); }
};

TEST(PrintLayout, PrinterGetsTheVisiblePartAsABottomUpDib) {
    RecordingPrintDevice device;
    EXPECT_EQ(printWindowImage(device), PrintOutcome::Printed);
    EXPECT_EQ(device.calls, (std::vector<std::string>{"begin", "capture", "page size", "start page", "image", "frame",
                                                      "end page", "end job"}));
    // 3 × 2 enlarged 13 times, centred on the 40 × 70 page, framed where it went.
    EXPECT_EQ(device.copied.scale, 13);
    EXPECT_EQ(device.copied.x, 0);
    EXPECT_EQ(device.copied.y, 22);
    EXPECT_EQ(device.framed.height, 26);
    // Blue, green, red per pixel, the window's lower row first, rows padded to 12 bytes.
    ASSERT_EQ(device.sent.width, 3);
    ASSERT_EQ(device.sent.height, 2);
    const std::vector<std::uint8_t> bits{0x80, 1, 2, 0x80, 2, 2, 0x80, 3, 2, 0, 0, 0,
                                         0x80, 1, 1, 0x80, 2, 1, 0x80, 3, 1, 0, 0, 0};
    EXPECT_EQ(device.sent.bits, bits);
}

TEST(PrintLayout, NothingPrintsWhenCancelledAndNoPageWhenTheImageFails) {
    RecordingPrintDevice cancelled;
    cancelled.confirm = false;
    EXPECT_EQ(printWindowImage(cancelled), PrintOutcome::Cancelled);
    EXPECT_EQ(cancelled.calls, std::vector<std::string>{"begin"});

    RecordingPrintDevice closed;  // the window went while the dialog was open
    closed.captures = false;
    EXPECT_EQ(printWindowImage(closed), PrintOutcome::Failed);
    EXPECT_EQ(closed.calls, (std::vector<std::string>{"begin", "capture", "abort"}));

    RecordingPrintDevice refused;  // a driver that takes no bitmap
    refused.printerTakesImage = false;
    EXPECT_EQ(printWindowImage(refused), PrintOutcome::Failed);
    EXPECT_EQ(refused.calls.back(), "abort");
    EXPECT_EQ(refused.calls.size(), 6u);

    // A printer that refuses a page or the end of the job: the document is
    // dropped and the print is a failure, never reported as printed.
    for (int step = 0; step < 3; ++step) {
        RecordingPrintDevice rejecting;
        (step == 0 ? rejecting.refuseStart : step == 1 ? rejecting.refuseEndPage : rejecting.refuseEndJob) = true;
        EXPECT_EQ(printWindowImage(rejecting), PrintOutcome::Failed) << step;
        EXPECT_EQ(rejecting.calls.back(), "abort") << step;
    }
    RecordingPrintDevice empty;  // nothing to print is no blank page
    empty.emptyWindow = true;
    EXPECT_EQ(printWindowImage(empty), PrintOutcome::Failed);
    EXPECT_EQ(std::count(empty.calls.begin(), empty.calls.end(), "start page"), 0);
}

TEST(PrintLayout, EachCopyIsAPageOfTheSameDocument) {
    RecordingPrintDevice device;
    device.copiesAsked = 3;
    EXPECT_EQ(printWindowImage(device), PrintOutcome::Printed);
    EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), "start page"), 3);
    EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), "end page"), 3);
    EXPECT_EQ(std::count(device.calls.begin(), device.calls.end(), "begin"), 1);
    EXPECT_EQ(device.calls.back(), "end job");
}

}  // namespace
}  // namespace vornel
