// The guide driver's way of reaching a VORNEL.exe it started: its windows and
// their controls through messages that work across processes, screenshots of
// screen areas, and what a step says or why it failed.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace guide {

// The program the driver started; set once it runs.
extern DWORD programId;
extern HANDLE programProcess;

// Formatted output as UTF-8 bytes: the C runtime's wide output stops at the
// first character outside its locale.
void say(FILE* stream, const wchar_t* format, ...);
// Says why, ends the program and the driver (exit code 3).
[[noreturn]] void failStep(const wchar_t* what);

// A visible top-level window of the program by caption, or holding a control
// `itemId` (the system's dialogs, whose captions follow the system's
// language), or both; null when none shows.
HWND findProgramWindow(const wchar_t* caption);
HWND findProgramWindowWithItem(int itemId, const wchar_t* caption = nullptr);
// Waits up to `ms` for such a window; null when it did not show or the program ended.
HWND waitForWindow(const wchar_t* caption, int ms);
HWND waitForWindowWithItem(int itemId, const wchar_t* caption, int ms);
// Waits up to `ms` for the window to go.
bool waitUntilGone(HWND window, int ms);

// The text of a message box of the program (its static text), when one shows.
std::wstring messageBoxText(const wchar_t* caption);
std::wstring itemText(HWND window, int id);
void setItemText(HWND window, int id, const wchar_t* text);
// Waits up to `ms` for control `id` to show a text starting with `prefix`.
bool waitForItemText(HWND window, int id, const wchar_t* prefix, int ms);
// Posted: a click may open a modal window, and a sent click would wait for it to close.
void clickItem(HWND window, int id);

// Saves the screen area covering the given windows as a 24-bit BMP
// <folder>\<name>.bmp (nothing when folder is "-").
void saveScreens(const std::wstring& folder, const wchar_t* name, std::initializer_list<HWND> windows);

// Types `path` into the system's open or save dialog with this caption and
// presses its OK button; fails the step when the dialog does not show or stay gone.
void chooseFileInDialog(const wchar_t* caption, const std::wstring& path);

// The lines of a Shift_JIS text file (CR LF or LF), empty when it cannot be read.
std::vector<std::wstring> readShiftJisLines(const std::wstring& path);

}  // namespace guide
