// The side panel over the map's top-left corner: what it holds in each view
// mode, the read-out texts and the rules of its check boxes, radio buttons
// and "設定" button. The Win32 layer creates the controls from this.
#pragma once

#include <string>
#include <vector>

namespace vornel {

enum class PanelControlKind { CheckBox, ReadOut, Radio, Button };

struct PanelControl {
    int id;
    PanelControlKind kind;
    std::wstring text;
    int x, y, width, height;
    bool checked = false;
    bool startsGroup = false;
};

// What rebuildSidePanel has to do when the mode changes from `oldMode` (-1:
// window creation) to `newMode`.
struct SidePanelPlan {
    bool destroyContourControls = false;
    bool destroyOverviewControls = false;
    std::vector<PanelControl> create;
};
SidePanelPlan planSidePanel(int oldMode, int newMode);

// Ids of the controls of each panel, for destroying them.
const std::vector<int>& overviewPanelIds();
const std::vector<int>& contourPanelIds();

// Read-out texts of a map pick.
std::wstring dmsText(double degrees);  // "35°00′ 0.0000″"
std::wstring latitudeReadOut(double lat);
std::wstring longitudeReadOut(double lon);
std::wstring depthReadOut(double depth);

// Check box 40 ... 43: flips the overview source. Returns false (nothing to
// redraw) outside the overview or for another id.
bool toggleOverviewSource(int id);
// Radio button 50 ... 53: its point kind becomes the chosen one (also when
// clicked again: the button stays checked), the other three are cleared.
// False outside the contour views.
bool flipPointKind(int id);
// The point kind "設定" sets now: the first kind whose flag is 1, or -1 when
// nothing may be set (dialog closed, no pick yet, no kind chosen).
int pointKindToSet();

}  // namespace vornel
