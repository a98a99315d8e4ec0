#include "shell/data_menus.h"

#include <cstdlib>
#include <cstring>
#include <functional>

#include "bathymetry/chart_tables.h"
#include "bathymetry/harbour_list.h"
#include "bathymetry/m7000_list.h"
#include "platform/platform.h"
#include "shell/app_state.h"

namespace vornel {

namespace {

constexpr int kHarbourIdBase = 300;
constexpr int kChart50kIdBase = 600;
constexpr int kChart200kIdBase = 900;
constexpr int kM7000IdBase = 1200;
// The M7000 popup: the folder command, a separator, then the data sets.
constexpr int kM7000FirstSetPosition = 2;

std::wstring menuText(const char* ansi) {
    return platform().fromCp932(std::string_view(ansi));
}

ChartList& chartsOf(int list) {
    return list == LIST_CHART50K ? chart50kList() : chart200kList();
}

// Calls visit(popup, position, selectedFlag) for every entry of `list` that
// has an item, in the order buildDataMenus placed them. A visit returning
// false ends the walk. Returns false when the data popup is missing.
using EntryVisit = std::function<bool(MenuRef popup, int position, int index, std::int32_t& selected)>;

bool walkList(MenuAccess& menus, int list, const EntryVisit& visit) {
    MenuRef bar = menus.menuBar();
    MenuRef data = bar ? menus.subMenu(bar, kDataMenuPosition) : nullptr;
    if (!data) return false;
    const RegionList& regions = regionList();
    if (list == LIST_HARBOUR) {
        HarbourList& harbours = harbourList();
        for (int r = 0; r < regions.regionCount; ++r) {
            MenuRef popup = menus.subMenu(data, r);
            if (!popup) continue;
            int position = 0;
            for (int i = 0; i < harbours.harbourCount; ++i) {
                HarbourRecord& h = harbours.records[i];
                if (std::strncmp(h.region, regions.names[r], sizeof h.region) != 0) continue;
                if (!visit(popup, position++, i, h.selected)) return true;
            }
        }
        return true;
    }
    // The chart scales follow the region popups.
    MenuRef scale = menus.subMenu(data, regions.regionCount + (list == LIST_CHART50K ? 0 : 1));
    if (!scale) return true;
    ChartList& charts = chartsOf(list);
    for (int a = 0; a < kSeaAreaCount; ++a) {
        MenuRef popup = menus.subMenu(scale, a);
        if (!popup) continue;
        int position = 0;
        for (int i = 0; i < charts.count; ++i) {
            ChartRecord& c = charts.records[i];
            if (seaAreaOf(chartNumber(c.code)) != a) continue;
            if (!visit(popup, position++, i, c.selected)) return true;
        }
    }
    return true;
}

void fillSeaAreas(MenuAccess& menus, MenuRef scale, const ChartList& charts, int idBase) {
    if (!scale) return;
    for (int a = 0; a < kSeaAreaCount; ++a) {
        MenuRef popup = menus.subMenu(scale, a);
        if (!popup) continue;
        int position = 0;  // an area without charts keeps its placeholder
        for (int i = 0; i < charts.count; ++i) {
            if (seaAreaOf(chartNumber(charts.records[i].code)) != a) continue;
            menus.putItem(popup, position++, menuText(charts.records[i].title), idBase + i);
        }
    }
}

bool contains(double lat, double lon, double northLat, double westLon, double southLat, double eastLon) {
    return westLon <= lon && lon <= eastLon && southLat <= lat && lat <= northLat;
}

}  // namespace

int chartNumber(const char* code) {
    char digits[5] = {};
    std::memcpy(digits, code, strnlen(code, 4));
    return std::atoi(digits);
}

int seaAreaOf(int number) {
    for (int a = 0; a < kSeaAreaCount; ++a)
        if (SeaAreaBounds[a] < number && number <= SeaAreaBounds[a + 1]) return a;
    return -1;
}

void buildDataMenus(MenuAccess& menus) {
    MenuRef bar = menus.menuBar();
    MenuRef data = bar ? menus.subMenu(bar, kDataMenuPosition) : nullptr;
    if (!data) return;
    const RegionList& regions = regionList();
    const HarbourList& harbours = harbourList();
    for (int r = 0; r < regions.regionCount; ++r) {
        menus.setText(data, r, menuText(regions.names[r]));
        MenuRef popup = menus.subMenu(data, r);
        if (!popup) continue;
        int position = 0;
        for (int i = 0; i < harbours.harbourCount; ++i) {
            const HarbourRecord& h = harbours.records[i];
            if (std::strncmp(h.region, regions.names[r], sizeof h.region) != 0) continue;
            menus.putItem(popup, position++, menuText(h.name), kHarbourIdBase + i);
        }
        // A region folder without listed harbours keeps its placeholder.
        const int keep = position > 0 ? position : 1;
        while (menus.itemCount(popup) > keep) menus.deleteItem(popup, keep);
    }
    for (int r = regions.regionCount; r < kRegionPopupSlots; ++r) menus.deleteItem(data, regions.regionCount);
    fillSeaAreas(menus, menus.subMenu(data, regions.regionCount), chart50kList(), kChart50kIdBase);
    fillSeaAreas(menus, menus.subMenu(data, regions.regionCount + 1), chart200kList(), kChart200kIdBase);
}

int selectDataEntry(MenuAccess& menus, int list, int i) {
    bool alreadySelected = false;
    const bool found = walkList(menus, list, [&](MenuRef popup, int position, int index, std::int32_t& selected) {
        if (index == i) {
            if (selected == 1) {
                alreadySelected = true;
                return false;
            }
            selected = 1;
            menus.setChecked(popup, position, true);
        } else if (selected != 0) {
            selected = 0;
            menus.setChecked(popup, position, false);
        }
        return true;
    });
    if (!found || alreadySelected) return 0;
    for (int other = LIST_HARBOUR; other <= LIST_CHART200K; ++other)
        if (other != list) clearListSelection(menus, other);
    clearM7000Selection(menus);
    return 1;
}

void clearListSelection(MenuAccess& menus, int list) {
    walkList(menus, list, [&](MenuRef popup, int position, int, std::int32_t& selected) {
        if (selected != 0) {
            selected = 0;
            menus.setChecked(popup, position, false);
        }
        return true;
    });
}

void clearM7000Selection(MenuAccess& menus) {
    M7000DataSetList& sets = m7000DataSetList();
    if (sets.m7000DataSetCount <= 0) return;
    MenuRef bar = menus.menuBar();
    MenuRef popup = bar ? menus.subMenu(bar, kM7000MenuPosition) : nullptr;
    for (int j = 0; j < sets.m7000DataSetCount; ++j) {
        if (sets.dataSets[j].selected == 0) continue;
        sets.dataSets[j].selected = 0;
        if (popup) menus.setChecked(popup, j + kM7000FirstSetPosition, false);
    }
}

std::string m7000DisplayName(int j) {
    const M7000DataSet& set = m7000DataSetList().dataSets[j];
    std::string name(set.fileName, strnlen(set.fileName, sizeof set.fileName));
    if (name.size() <= 5) return name;
    if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".shp") == 0) name.resize(name.size() - 4);
    // The file name begins with "M" and four digits; drop them with one separator.
    static const char kSeparators[] = " -+_~.,/|#$&\\!?";
    const bool separated = name.size() > 5 && std::strchr(kSeparators, name[5]) != nullptr;
    const std::size_t from = separated ? 6 : 5;
    // "M7004.shp" has nothing after its number: keep the number rather than an empty item.
    return from < name.size() ? name.substr(from) : name;
}

void rebuildM7000Menu(MenuAccess& menus) {
    MenuRef bar = menus.menuBar();
    MenuRef popup = bar ? menus.subMenu(bar, kM7000MenuPosition) : nullptr;
    if (!popup) return;
    const M7000DataSetList& sets = m7000DataSetList();
    int position = 1;
    if (sets.m7000DataSetCount > 0) menus.putSeparator(popup, position++);
    for (int j = 0; j < sets.m7000DataSetCount; ++j)
        menus.putItem(popup, position++, platform().fromCp932(m7000DisplayName(j)), kM7000IdBase + j);
    while (menus.itemCount(popup) > position) menus.deleteItem(popup, position);
}

bool selectM7000Entry(MenuAccess& menus, int j) {
    M7000DataSetList& sets = m7000DataSetList();
    MenuRef bar = menus.menuBar();
    MenuRef popup = bar ? menus.subMenu(bar, kM7000MenuPosition) : nullptr;
    if (!popup || j < 0 || j >= sets.m7000DataSetCount || sets.dataSets[j].selected != 0) return false;
    for (int i = 0; i < sets.m7000DataSetCount; ++i) {
        if (i == j) {
            sets.dataSets[i].selected = 1;
            menus.setChecked(popup, i + kM7000FirstSetPosition, true);
        } else if (sets.dataSets[i].selected != 0) {
            sets.dataSets[i].selected = 0;
            menus.setChecked(popup, i + kM7000FirstSetPosition, false);
        }
    }
    // One selection across all four sources: the harbour or chart chosen
    // before loses its check.
    for (int list = LIST_HARBOUR; list <= LIST_CHART200K; ++list) clearListSelection(menus, list);
    return true;
}

std::vector<PickMenuItem> pickMenuItems(double lat, double lon) {
    std::vector<PickMenuItem> items;
    const int* shown = appState().overviewSourceFlags;
    if (shown[SOURCE_HARBOUR] == 1) {
        const HarbourList& harbours = harbourList();
        for (int i = 0; i < harbours.harbourCount; ++i) {
            const HarbourRecord& h = harbours.records[i];
            if (contains(lat, lon, h.northLat, h.westLon, h.southLat, h.eastLon))
                items.push_back({menuText(h.name), kHarbourIdBase + i});
        }
    }
    const int chartSources[2] = {SOURCE_CHART50K, SOURCE_CHART200K};
    for (int s : chartSources) {
        if (shown[s] != 1) continue;
        const ChartList& charts = s == SOURCE_CHART50K ? chart50kList() : chart200kList();
        const int idBase = s == SOURCE_CHART50K ? kChart50kIdBase : kChart200kIdBase;
        for (int i = 0; i < charts.count; ++i) {
            const ChartRecord& c = charts.records[i];
            if (contains(lat, lon, c.northLat, c.westLon, c.southLat, c.eastLon))
                items.push_back({menuText(c.title), idBase + i});
        }
    }
    if (shown[SOURCE_M7000] == 1) {
        const M7000DataSetList& sets = m7000DataSetList();
        for (int j = 0; j < sets.m7000DataSetCount; ++j) {
            const M7000DataSet& m = sets.dataSets[j];
            if (contains(lat, lon, m.northLat, m.westLon, m.southLat, m.eastLon))
                items.push_back({platform().fromCp932(m7000DisplayName(j)), kM7000IdBase + j});
        }
    }
    return items;
}

std::wstring selectedEntryName() {
    const HarbourList& harbours = harbourList();
    for (int i = 0; i < harbours.harbourCount; ++i)
        if (harbours.records[i].selected == 1) return menuText(harbours.records[i].name);
    for (const ChartList* charts : {&chart50kList(), &chart200kList()})
        for (int i = 0; i < charts->count; ++i)
            if (charts->records[i].selected == 1) return menuText(charts->records[i].title);
    const M7000DataSetList& sets = m7000DataSetList();
    for (int j = 0; j < sets.m7000DataSetCount; ++j)
        if (sets.dataSets[j].selected == 1) return platform().fromCp932(m7000DisplayName(j));
    return std::wstring();
}

}  // namespace vornel
