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

// Runs `action` on this thread (typically one that opens a modal dialog) while
// a watcher thread waits up to `timeoutMs` for a top-level window of this
// process with the caption `caption`, then calls `onFound` on the watcher
// thread with it. The watcher must close the window. Returns whether the
// window appeared.
bool whileWindowShows(const std::wstring& caption, const std::function<void()>& action,
                      const std::function<void(HWND)>& onFound, int timeoutMs = 10000);

// Finds a visible top-level window of this process by caption.
HWND findOwnWindow(const std::wstring& caption);

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
}  // namespace vornel::test
