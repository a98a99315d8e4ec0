// The menus of a window as the data-selection logic sees them: popups and
// items addressed by position. The Win32 layer implements it on HMENUs; tests
// implement it on a tree in memory.
#pragma once

#include <string>

namespace vornel {

using MenuRef = void*;  // an opaque menu (HMENU on Windows)

class MenuAccess {
public:
    virtual ~MenuAccess() = default;

    // The window's menu bar; null when the window has no menu.
    virtual MenuRef menuBar() = 0;
    // The popup at `position` of `menu`; null when there is none.
    virtual MenuRef subMenu(MenuRef menu, int position) = 0;
    virtual int itemCount(MenuRef menu) = 0;
    // New text for the item at `position`; a popup keeps its submenu.
    virtual void setText(MenuRef menu, int position, const std::wstring& text) = 0;
    // The item at `position` becomes an unchecked command item; appended when
    // `position` is past the last item.
    virtual void putItem(MenuRef menu, int position, const std::wstring& text, int id) = 0;
    // The same for a separator.
    virtual void putSeparator(MenuRef menu, int position) = 0;
    virtual void deleteItem(MenuRef menu, int position) = 0;
    virtual void setChecked(MenuRef menu, int position, bool checked) = 0;
};

}  // namespace vornel
