#include "shell/data_choice.h"

#include <string>

#include "bathymetry/chart_tables.h"
#include "bathymetry/contour_store.h"
#include "bathymetry/data_folder.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_depth_table.h"
#include "bathymetry/m7000_index.h"
#include "bathymetry/m7000_list.h"
#include "bathymetry/m7000_search.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "resources/resource.h"
#include "shell/app_state.h"
#include "shell/data_menus.h"

namespace vornel {

namespace {

// The contour store holds the data of one source at a time. When another
// source fills it, the `loaded` flags of this one no longer describe it, so
// choosing the same entry again must read it again.
void forgetHarbourAndChartLoads() {
    HarbourList& harbours = harbourList();
    for (int i = 0; i < harbours.harbourCount; ++i) harbours.records[i].loaded = 0;
    for (ChartList* list : {&chart50kList(), &chart200kList()})
        for (int i = 0; i < list->count; ++i) list->records[i].loaded = 0;
}

void forgetM7000Loads() {
    M7000DataSetList& sets = m7000DataSetList();
    for (int j = 0; j < sets.m7000DataSetCount; ++j) sets.dataSets[j].loaded = 0;
}

bool m7000SelectionChanged() {
    const M7000DataSetList& sets = m7000DataSetList();
    for (int j = 0; j < sets.m7000DataSetCount; ++j)
        if (sets.dataSets[j].selected != sets.dataSets[j].loaded) return true;
    return false;
}

void loadSelectedM7000(WindowRef owner) {
    ContourStore& store = contourStore();
    store.contourStoreValid = 1;
    if (!m7000SelectionChanged()) return;
    WaitCursor wait;
    store.contourPointCount = 0;
    store.contourStoreValid = 1;
    M7000DataSetList& sets = m7000DataSetList();
    for (int j = 0; j < sets.m7000DataSetCount; ++j) {
        M7000DataSet& set = sets.dataSets[j];
        set.loaded = set.selected;
        if (set.selected == 1) openM7000DataSet(owner, set);
    }
    forgetHarbourAndChartLoads();
}

}  // namespace

bool chooseListEntry(MenuAccess& menus, int list, int i) {
    const int changed = selectDataEntry(menus, list, i);
    if (changed) forgetM7000Loads();  // the next paint fills the store from this list
    return changed == 1 || appState().viewMode != VIEW_CONTOUR;
}

bool chooseM7000DataSet(MenuAccess& menus, WindowRef owner, int j) {
    if (j < 0 || j >= m7000DataSetList().m7000DataSetCount) return false;
    if (selectM7000Entry(menus, j))
        contourStore().contourStoreValid = 0;
    else if (appState().viewMode == VIEW_M7000)
        return false;
    loadSelectedM7000(owner);
    return true;
}

std::wstring describeShownData() {
    Platform& p = platform();
    const int mode = appState().viewMode;
    if (mode == VIEW_CONTOUR) {
        const HarbourList& harbours = harbourList();
        for (int i = 0; i < harbours.harbourCount; ++i) {
            const HarbourRecord& h = harbours.records[i];
            if (h.selected == 1) return L"港湾 " + p.fromCp932(h.region) + L" " + p.fromCp932(h.name);
        }
        const std::pair<const ChartList*, const wchar_t*> charts[] = {{&chart50kList(), L"1/5万海図 "},
                                                                      {&chart200kList(), L"1/20万海図 "}};
        for (const auto& [list, label] : charts) {
            for (int i = 0; i < list->count; ++i) {
                const ChartRecord& c = list->records[i];
                if (c.selected == 1) return label + p.fromCp932(c.code) + L" " + p.fromCp932(c.title);
            }
        }
    }
    if (mode == VIEW_M7000) {
        const M7000DataSetList& sets = m7000DataSetList();
        for (int j = 0; j < sets.m7000DataSetCount; ++j) {
            const M7000DataSet& s = sets.dataSets[j];
            if (s.selected == 1) return L"M7000 " + p.fromCp932(s.fileName);
        }
    }
    return std::wstring();
}

int enterViewMode(int mode) {
    AppState& app = appState();
    const int old = app.viewMode;
    app.viewMode = mode;
    if (mode != VIEW_OVERVIEW) app.mapView.panX = app.mapView.panY = 0;
    return old;
}

bool acceptM7000Folder(WindowRef owner, const std::wstring& chosen) {
    // The path stays wide: any folder name works, also one with characters
    // that Shift_JIS lacks (Zoë, a Korean name).
    if (chosen.size() > kMaxPathChars) {
        platform().warn(owner, widen("M7000データフォルダーの設定"),
                        widen("フォルダーのパスが長すぎます。[") + chosen + L"]");
        return false;
    }
    dataFolders().m7000Folder = chosen;
    return true;
}

void afterM7000FolderChange() {
    forgetHarbourAndChartLoads();
    if (appState().viewMode == VIEW_M7000) contourStore().contourPointCount = 0;
}

int wheelCommand(int notches) {
    return notches > 0 ? IDM_ZOOM_IN : IDM_ZOOM_OUT;
}

}  // namespace vornel
