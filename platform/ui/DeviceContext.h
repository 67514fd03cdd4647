#pragma once
// Scopes over a device context: one borrowed from a window, and an object
// selected into one. Neither owns a handle of its own, so neither is a
// UniqueHandle.

#include <windows.h>

// A device context borrowed from a window for the scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { if (m_dc) ::ReleaseDC(m_hwnd, m_dc); }
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// Selects a GDI object into a DC for the scope and puts the old one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(::SelectObject(dc, obj)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { if (m_old) ::SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};
