// The commands and the mouse and keyboard input of the main window.
#pragma once

#include <windows.h>

namespace vornel {

// Runs command `id` (menu, side panel, accelerator, pick menu). Returns false
// when `id` is no command of the main window (default processing).
bool runMainCommand(HWND window, int id);

// Input handlers; positions are client pixels.
void onMapLeftButtonDown(HWND window, int x, int y);
void onMapMouseMove(HWND window, WPARAM keys, int x, int y);
void onMapRightButtonUp(HWND window, int x, int y);
// Whole notches of the wheel (deltas added up by the window): one zoom step each.
void onMapWheel(HWND window, int notches);
void onMapKeyDown(HWND window, WPARAM key);

// Shared by the commands and the input: the whole client area is repainted.
void redrawMap(HWND window);

}  // namespace vornel
