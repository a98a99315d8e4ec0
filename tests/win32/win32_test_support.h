// Helpers of the Win32 tests: run folders, message pumping, dialog watching
// and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace vornel::test {

// Folder of the test program (the build folder); VORNEL_BUILD_DIR when set.
std::wstring buildFolder();
// Where screenshots go: <build>/screenshots, created on demand.
std::wstring screenshotFolder();

// Saves the window's image (client and frame as the system draws them) as a
// 24-bit BMP in the screenshot folder. Returns the path, empty on failure.
std::wstring saveWindowImage(HWND window, const std::wstring& name);

// Saves the screen's pixels in `area` as a 24-bit BMP file.
bool saveScreenArea(const RECT& area, const std::wstring& path);

// Pumps the messages of this thread for `ms` milliseconds.
void pumpMessages(int ms);

// Types `modifier`+`key` (VK_CONTROL and 'O', VK_MENU and 'F') through the
// input queue, as the keyboard does, to whatever window has the focus.
void pressChord(WORD modifier, WORD key);

// Runs `action` on this thread (typically one that opens a modal dialog) while
// a watcher thread waits up to `timeoutMs` for a top-level window of this
// process with the caption `caption`, then calls `onFound` on the watcher
// thread with it. The watcher must close the window. Returns whether the
// window appeared.
bool whileWindowShows(const std::wstring& caption, const std::function<void()>& action,
                      const std::function<void(HWND)>& onFound, int timeoutMs = 10000);

// Finds a visible top-level window of this process by caption, other than
// `except` (the common dialogs' own prompts carry the dialog's title).
HWND findOwnWindow(const std::wstring& caption, HWND except = nullptr);
// Finds a visible top-level window of this process that holds a control with
// id `itemId`: for the system's dialogs, whose captions follow its language.
HWND findOwnWindowWithItem(int itemId);

// A cross-thread SendMessage that gives up after 10 s instead of blocking;
// `answered` (when given) tells whether the window answered.
LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, bool* answered = nullptr);
// The text of control `id` of `window`, read through a message (so from any
// thread); "<missing>" when there is no such control.
std::wstring controlText(HWND window, int id);

// Polls `condition` every 50 ms for up to `timeoutMs`; whether it came true.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// Whether a process of this executable name (say L"zelvo_v3.exe") runs.
bool processRuns(const std::wstring& exeName);

// Runs `drive` on a driver thread while this thread serves the program's
// windows as VORNEL's message loop does (accelerators included), until the
// driver returns. Modal dialogs opened by the driver's posted messages run
// their own loops here; the driver must leave none of them open.
void runDriver(const std::function<void()>& drive);

// A fresh empty run folder under the build folder, made the current folder.
std::wstring enterRunFolder(const std::wstring& name);

}  // namespace vornel::test

namespace vornel::test {

// The source folder as a Windows path (Wine maps the Unix root to Z:).
std::wstring sourceFolder();
// Copies the committed sample data set (sample/) into `folder`.
void copySampleData(const std::wstring& folder);

}  // namespace vornel::test

namespace vornel::test {
// Wide text as UTF-8 for test messages.
std::string narrow(const std::wstring& text);
// The whole file's bytes; empty when it cannot be read.
std::string readFileBytes(const std::wstring& path);
}  // namespace vornel::test
