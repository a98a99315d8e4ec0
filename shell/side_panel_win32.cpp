#include "shell/side_panel_win32.h"

#include "mapview/map_pick.h"
#include "shell/app_state.h"
#include "shell/side_panel.h"
#include "shell/window_context_win32.h"

namespace vornel {

namespace {

DWORD styleOf(const PanelControl& control) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
        case PanelControlKind::CheckBox:
            return style | WS_TABSTOP | BS_AUTOCHECKBOX;
        case PanelControlKind::ReadOut:
            return style | WS_BORDER | ES_LEFT | ES_READONLY | ES_AUTOHSCROLL;
        case PanelControlKind::Radio:
            return style | BS_AUTORADIOBUTTON | (control.startsGroup ? WS_GROUP | WS_TABSTOP : 0);
        case PanelControlKind::Button:
            return style | WS_TABSTOP | BS_DEFPUSHBUTTON;
    }
    return style;
}

void destroyControls(HWND window, const std::vector<int>& ids) {
    for (int id : ids)
        if (HWND control = GetDlgItem(window, id)) DestroyWindow(control);
}

}  // namespace

void rebuildSidePanel(HWND window, int oldMode) {
    const SidePanelPlan plan = planSidePanel(oldMode, appState().viewMode);
    if (plan.destroyContourControls) destroyControls(window, contourPanelIds());
    if (plan.destroyOverviewControls) destroyControls(window, overviewPanelIds());
    for (const PanelControl& control : plan.create) {
        const wchar_t* className = control.kind == PanelControlKind::ReadOut ? L"EDIT" : L"BUTTON";
        HWND child = CreateWindowExW(0, className, control.text.c_str(), styleOf(control), control.x, control.y,
                                     control.width, control.height, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), appInstance(), nullptr);
        if (!child) continue;
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont()), FALSE);
        if (control.checked) SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
    }
}

void showPickReadOuts(HWND window) {
    const PickEntry& point = mapPick().entry[0];
    SetDlgItemTextW(window, 10, latitudeReadOut(point.lat).c_str());
    SetDlgItemTextW(window, 11, longitudeReadOut(point.lon).c_str());
    SetDlgItemTextW(window, 12, depthReadOut(point.depth).c_str());
}

}  // namespace vornel
