#include "shell/data_menus_win32.h"

#include "shell/data_menus.h"

namespace vornel {

namespace {
HMENU toMenu(MenuRef menu) {
    return static_cast<HMENU>(menu);
}
}  // namespace

MenuRef WindowMenus::menuBar() {
    return GetMenu(window_);
}

MenuRef WindowMenus::subMenu(MenuRef menu, int position) {
    return GetSubMenu(toMenu(menu), position);
}

int WindowMenus::itemCount(MenuRef menu) {
    return GetMenuItemCount(toMenu(menu));
}

void WindowMenus::setText(MenuRef menu, int position, const std::wstring& text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(toMenu(menu), position, TRUE, &info);
}

void WindowMenus::putItem(MenuRef menu, int position, const std::wstring& text, int id) {
    const UINT flags = MF_STRING | MF_UNCHECKED;
    if (position < itemCount(menu))
        ModifyMenuW(toMenu(menu), position, MF_BYPOSITION | flags, id, text.c_str());
    else
        AppendMenuW(toMenu(menu), flags, id, text.c_str());
}

void WindowMenus::putSeparator(MenuRef menu, int position) {
    if (position < itemCount(menu))
        ModifyMenuW(toMenu(menu), position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    else
        AppendMenuW(toMenu(menu), MF_SEPARATOR, 0, nullptr);
}

void WindowMenus::deleteItem(MenuRef menu, int position) {
    DeleteMenu(toMenu(menu), position, MF_BYPOSITION);
}

void WindowMenus::setChecked(MenuRef menu, int position, bool checked) {
    CheckMenuItem(toMenu(menu), position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void buildDataMenus(WindowRef window) {
    WindowMenus menus(static_cast<HWND>(window));
    buildDataMenus(menus);
}

void rebuildM7000Menu(WindowRef window) {
    WindowMenus menus(static_cast<HWND>(window));
    rebuildM7000Menu(menus);
}

void buildPickMenu(HMENU menu, double lat, double lon) {
    for (const PickMenuItem& item : pickMenuItems(lat, lon)) AppendMenuW(menu, MF_STRING, item.id, item.text.c_str());
}

}  // namespace vornel
