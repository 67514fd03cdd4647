#pragma once
// Owning wrappers for the Win32 handles the window layer and its users hold.

#include <windows.h>
#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : m_h(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    void Reset(Handle h = Traits::Invalid())
    {
        Handle old = std::exchange(m_h, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    Handle Release() { return std::exchange(m_h, Traits::Invalid()); }
    Handle Get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }

private:
    Handle m_h = Traits::Invalid();
};

template <typename Handle>
struct GdiObjectTraits {
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};

struct CursorTraits {
    static HCURSOR Invalid() { return nullptr; }
    static void Close(HCURSOR h) { ::DestroyCursor(h); }
};

struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { ::FreeLibrary(h); }
};

struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

struct KernelHandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};

struct WindowTraits {
    static HWND Invalid() { return nullptr; }
    static void Close(HWND h) { if (::IsWindow(h)) ::DestroyWindow(h); }
};

struct RegistryKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { ::RegCloseKey(h); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueCursor = UniqueHandle<HCURSOR, CursorTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegistryKeyTraits>;

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
