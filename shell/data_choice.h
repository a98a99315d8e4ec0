// What choosing a data entry does to the selection, the contour store and the
// view mode, apart from the window itself.
#pragma once

#include <string>

#include "platform/platform.h"
#include "shell/menu_access.h"

namespace vornel {

// A harbour (list 0) or chart (1, 2) entry was chosen. Returns true when the
// view has to switch to the contour view: the selection changed, or the
// contour view was not shown.
bool chooseListEntry(MenuAccess& menus, int list, int i);

// M7000 data set j was chosen. Loads it when the selection changed and
// returns true when the view has to switch to the M7000 view; false when the
// set was shown already (or j is out of range).
bool chooseM7000DataSet(MenuAccess& menus, WindowRef owner, int j);

// Sets viewMode; a contour view starts without pan offsets (its panning
// moves the data centre), the overview keeps its own. Returns the previous mode.
int enterViewMode(int mode);

// Takes the folder chosen for the M7000 data: a wide path of at most 255
// characters; a longer one is refused with a warning box and the folder stays
// as it was (a cut path would name another folder).
bool acceptM7000Folder(WindowRef owner, const std::wstring& chosen);

// After the M7000 folder was set: the index build leaves the last data set it
// read in the contour store, so the shown selection is read again at the next
// paint, and an M7000 view whose set is gone shows nothing stale.
void afterM7000FolderChange();

// The data the contour view shows, for a report's 「水深データ」 line: the
// source and name of the selected entry ("1/5万海図 6601 鹿島港付近"), empty
// in the overview.
std::wstring describeShownData();

// The zoom command of whole wheel notches (see WheelNotches): 120 forward,
// 121 towards the user.
int wheelCommand(int notches);

}  // namespace vornel
