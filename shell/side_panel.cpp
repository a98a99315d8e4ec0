#include "shell/side_panel.h"

#include <cmath>

#include "estimation/estimation_windows.h"
#include "mapview/map_pick.h"
#include "platform/text.h"
#include "shell/app_state.h"

namespace vornel {

namespace {

constexpr int kSourceCheckFirst = 40;
constexpr int kKindRadioFirst = 50;

bool isContourView(int mode) {
    return mode == VIEW_CONTOUR || mode == VIEW_M7000;
}

std::vector<PanelControl> overviewControls() {
    const AppState& app = appState();
    const char* labels[4] = {"ナルテ", "5万分の1", "20万分の1", "M7000シリーズ"};
    std::vector<PanelControl> controls;
    for (int k = 0; k < 4; ++k)
        controls.push_back({kSourceCheckFirst + k, PanelControlKind::CheckBox, widen(labels[k]), 10, 12 + 20 * k, 100,
                            16, app.overviewSourceFlags[k] == 1});
    return controls;
}

std::vector<PanelControl> contourControls() {
    const AppState& app = appState();
    std::vector<PanelControl> controls = {
        {10, PanelControlKind::ReadOut, widen("緯度："), 10, 12, 150, 16},
        {11, PanelControlKind::ReadOut, widen("経度："), 10, 32, 150, 16},
        {12, PanelControlKind::ReadOut, widen("水深："), 10, 52, 150, 16},
    };
    const char* kinds[4] = {"準沖波地点", "等深線の代表点", "回折地点", "沖波地点"};
    for (int k = 0; k < 4; ++k)
        controls.push_back({kKindRadioFirst + k, PanelControlKind::Radio, widen(kinds[k]), 10, 72 + 20 * k, 100, 16,
                            app.pointKindSelection[k] == 1, k == 0});
    controls.push_back({30, PanelControlKind::Button, widen("設定"), 10, 155, 40, 20});
    return controls;
}

}  // namespace

SidePanelPlan planSidePanel(int oldMode, int newMode) {
    SidePanelPlan plan;
    if (oldMode == newMode) return plan;
    if (isContourView(oldMode)) {
        if (isContourView(newMode)) return plan;  // the contour panel and its read-outs stay
        plan.destroyContourControls = true;
    } else if (oldMode == VIEW_OVERVIEW) {
        plan.destroyOverviewControls = true;
    }
    plan.create = newMode == VIEW_OVERVIEW ? overviewControls() : contourControls();
    return plan;
}

const std::vector<int>& overviewPanelIds() {
    static const std::vector<int> ids = {40, 41, 42, 43};
    return ids;
}

const std::vector<int>& contourPanelIds() {
    static const std::vector<int> ids = {10, 11, 12, 50, 51, 52, 53, 30};
    return ids;
}

std::wstring dmsText(double degrees) {
    int d = static_cast<int>(std::trunc(degrees));
    const double minutes = (degrees - d) * 60.0;
    int m = static_cast<int>(std::trunc(minutes));
    double s = (minutes - m) * 60.0;
    // Seconds that would print as 60.0000 carry into the minutes, and on into the degrees.
    if (s + 0.00005 >= 60.0) {
        ++m;
        s = 0.0;
        if (m == 60) {
            m -= 60;
            ++d;
        }
    }
    return wformat(L"%2d°%02d′%7.4f″", d, m, s);
}

std::wstring latitudeReadOut(double lat) {
    return widen("緯度：") + dmsText(lat);
}
std::wstring longitudeReadOut(double lon) {
    return widen("経度：") + dmsText(lon);
}
std::wstring depthReadOut(double depth) {
    return widen("水深：") + wformat(L"%8.1fm", depth);
}

bool toggleOverviewSource(int id) {
    AppState& app = appState();
    const int k = id - kSourceCheckFirst;
    if (app.viewMode != VIEW_OVERVIEW || k < 0 || k > 3) return false;
    app.overviewSourceFlags[k] = app.overviewSourceFlags[k] == 0 ? 1 : 0;
    return true;
}

bool flipPointKind(int id) {
    AppState& app = appState();
    const int k = id - kKindRadioFirst;
    if (!isContourView(app.viewMode) || k < 0 || k > 3) return false;
    // A radio button stays checked when clicked again, so its kind stays
    // chosen: what "設定" sets is always the kind whose button is checked.
    for (int other = 0; other < 4; ++other) app.pointKindSelection[other] = other == k ? 1 : 0;
    return true;
}

int pointKindToSet() {
    const AppState& app = appState();
    if (estimationWindows().paramDialogOpen < 0 || !(mapPick().entry[1].lat < 90.0)) return -1;
    for (int k = 0; k < 4; ++k)
        if (app.pointKindSelection[k] == 1) return k;
    return -1;
}

}  // namespace vornel
