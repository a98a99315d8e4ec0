// The commands and the mouse and keyboard input of the main window.
#pragma once

#include <windows.h>

namespace vornel {

// Runs command `id` (menu, side panel, accelerator, pick menu). Returns false
// when `id` is no command of the main window (default processing).
bool runMainCommand(HWND window, int id);

// Input handlers; positions are client pixels, signed (a captured drag goes
// on left of and above the window). A click gives the keyboard focus back to
// the map; a drag holds the mouse until its button is released.
void onMapLeftButtonDown(HWND window, int x, int y);
void onMapMouseMove(HWND window, WPARAM keys, int x, int y);
void onMapLeftButtonUp(HWND window);
// The mouse went elsewhere (released, or taken by another window): the drag ends.
void onMapCaptureLost();
void onMapRightButtonUp(HWND window, int x, int y);
// WM_CONTEXTMENU: the right click's pick menu also from the keyboard
// (Shift+F10, the menu key), at the pointer when it is over the map, else
// at the map's centre. `screen` is the message's point, (-1, -1) from the keyboard.
void onMapContextMenu(HWND window, LPARAM screen);
// Whole notches of the wheel (deltas added up by the window): one zoom step each.
void onMapWheel(HWND window, int notches);
void onMapKeyDown(HWND window, WPARAM key);

// Shared by the commands and the input: the whole client area is repainted.
void redrawMap(HWND window);

}  // namespace vornel
