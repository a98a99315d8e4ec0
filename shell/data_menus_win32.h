// The data-selection menus on the main window's HMENUs.
#pragma once

#include <windows.h>

#include "platform/platform.h"
#include "shell/menu_access.h"

namespace vornel {

// The menus of one window, addressed by position.
class WindowMenus final : public MenuAccess {
public:
    explicit WindowMenus(HWND window) : window_(window) {}
    MenuRef menuBar() override;
    MenuRef subMenu(MenuRef menu, int position) override;
    int itemCount(MenuRef menu) override;
    void setText(MenuRef menu, int position, const std::wstring& text) override;
    void putItem(MenuRef menu, int position, const std::wstring& text, int id) override;
    void putSeparator(MenuRef menu, int position) override;
    void deleteItem(MenuRef menu, int position) override;
    void setChecked(MenuRef menu, int position, bool checked) override;

private:
    HWND window_;
};

// Start-up step: fills the region and sea-area popups of `window`'s menu.
void buildDataMenus(WindowRef window);
// Refills the M7000 popup after the folder was set.
void rebuildM7000Menu(WindowRef window);
// Appends the entries whose extent holds (lat, lon) to `menu`.
void buildPickMenu(HMENU menu, double lat, double lon);

}  // namespace vornel
