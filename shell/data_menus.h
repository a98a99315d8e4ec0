// The data-selection menus: harbours by region, charts by sea area, the M7000
// data sets of the chosen folder, and the overview's pick menu. Exactly one
// entry of the four lists is selected at a time; its item carries the check.
#pragma once

#include <string>
#include <vector>

#include "shell/menu_access.h"

namespace vornel {

enum DataList { LIST_HARBOUR = 0, LIST_CHART50K = 1, LIST_CHART200K = 2 };

// Top-level positions of the data popups in the main menu.
inline constexpr int kDataMenuPosition = 1;
inline constexpr int kM7000MenuPosition = 2;
// Slots the program's menu resource holds for regions.
inline constexpr int kRegionPopupSlots = 20;
inline constexpr int kSeaAreaCount = 10;

// Sea area a holds the charts numbered bound[a] < n <= bound[a + 1].
inline constexpr int SeaAreaBounds[kSeaAreaCount + 1] = {0, 6326, 6334, 6344, 6356, 6362, 6367, 6372, 6382, 6387, 6577};

// The integer value of the first four characters of a chart code.
int chartNumber(const char* code);
// The sea area (0 ... 9) of a chart number, -1 when it lies in none.
int seaAreaOf(int chartNumber);

// Fills the region and sea-area popups from the lists (once at start-up).
void buildDataMenus(MenuAccess& menus);

// Makes entry i of list 0/1/2 the one selected entry of all four lists.
// Returns 1 when the selection changed, 0 when i was selected already or the
// data popup is missing.
int selectDataEntry(MenuAccess& menus, int list, int i);
void clearListSelection(MenuAccess& menus, int list);
void clearM7000Selection(MenuAccess& menus);

// The menu text of data set j: the file name without ".shp" and without its
// leading "M" and four digits with one separator.
std::string m7000DisplayName(int j);
// Refills the M7000 popup after the folder was set: folder item, separator, sets.
void rebuildM7000Menu(MenuAccess& menus);

// Makes data set j the selected one (checks it, unchecks the others and
// clears the harbour and chart selections). Returns false when nothing was
// changed: j was selected already or the menu is missing.
bool selectM7000Entry(MenuAccess& menus, int j);

// The menu text of the one selected entry of the four lists; empty when none is.
std::wstring selectedEntryName();

// One item of a popup built on the fly.
struct PickMenuItem {
    std::wstring text;
    int id;
};
// Every entry of the sources the overview shows whose extent holds the point,
// in source and list order.
std::vector<PickMenuItem> pickMenuItems(double lat, double lon);

}  // namespace vornel
