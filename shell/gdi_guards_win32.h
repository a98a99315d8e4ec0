// Small owners of GDI and global-memory handles: each releases its handle on
// every path out of a scope.
#pragma once

#include <windows.h>

namespace vornel {

// A device context from CreateDC / CreateCompatibleDC / PrintDlg: DeleteDC.
class OwnedDC {
public:
    explicit OwnedDC(HDC dc = nullptr) : dc_(dc) {}
    ~OwnedDC() { reset(); }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    HDC get() const { return dc_; }
    void reset(HDC dc = nullptr) {
        if (dc_) DeleteDC(dc_);
        dc_ = dc;
    }

private:
    HDC dc_;
};

// A device context of a window (GetDC): ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A pen, brush, bitmap or font: DeleteObject (after it was deselected).
class OwnedObject {
public:
    explicit OwnedObject(HGDIOBJ object = nullptr) : object_(object) {}
    ~OwnedObject() { reset(); }
    OwnedObject(const OwnedObject&) = delete;
    OwnedObject& operator=(const OwnedObject&) = delete;
    HGDIOBJ get() const { return object_; }
    void reset(HGDIOBJ object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    HGDIOBJ object_;
};

// Selects an object into a device context and puts the previous one back.
// Declare it after the owner of the object so that it is undone first.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Global memory handed over by a common dialog (device mode, device names).
class OwnedGlobal {
public:
    explicit OwnedGlobal(HGLOBAL memory = nullptr) : memory_(memory) {}
    ~OwnedGlobal() {
        if (memory_) GlobalFree(memory_);
    }
    OwnedGlobal(const OwnedGlobal&) = delete;
    OwnedGlobal& operator=(const OwnedGlobal&) = delete;

private:
    HGLOBAL memory_;
};

}  // namespace vornel
