#pragma once
// The one owner of a Win32 handle. A traits type per kind of handle names
// the handle type, the one value that means "none" (what the API that makes
// it returns on failure) and how to close it.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include <utility>

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : m_h(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    // Closes what is held, then owns `h`.
    void Reset(Handle h = Traits::Empty()) noexcept
    {
        const Handle old = std::exchange(m_h, h);
        if (old != Traits::Empty())
            Traits::Close(old);
    }
    // Gives the handle up without closing it.
    Handle Detach() noexcept { return std::exchange(m_h, Traits::Empty()); }
    Handle Get() const noexcept { return m_h; }
    // For out-parameters: closes what is held and exposes the slot.
    Handle* Put() noexcept
    {
        Reset();
        return &m_h;
    }
    explicit operator bool() const noexcept { return m_h != Traits::Empty(); }

private:
    Handle m_h = Traits::Empty();
};

// A kind of handle whose "none" is null: events, threads, processes, timers,
// modules, registry keys, GDI objects, memory DCs, cursors, image lists,
// C runtime files.
template <typename H, auto CloseFunction>
struct NullHandleTraits {
    using Handle = H;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseFunction(h); }
};

// A kind of handle whose "none" is INVALID_HANDLE_VALUE: CreateFile (ports
// included), CreateToolhelp32Snapshot, FindFirstFile.
template <auto CloseFunction>
struct InvalidValueHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseFunction(h); }
};

// A window that its parent or the user may already have destroyed.
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h)
    {
        if (::IsWindow(h))
            ::DestroyWindow(h);
    }
};

using UniqueKernelHandle = UniqueHandle<NullHandleTraits<HANDLE, &::CloseHandle>>;
using UniqueFile = UniqueHandle<InvalidValueHandleTraits<&::CloseHandle>>;
using UniqueFind = UniqueHandle<InvalidValueHandleTraits<&::FindClose>>;
using UniqueRegistryKey = UniqueHandle<NullHandleTraits<HKEY, &::RegCloseKey>>;
using UniqueModule = UniqueHandle<NullHandleTraits<HMODULE, &::FreeLibrary>>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueFont = UniqueHandle<NullHandleTraits<HFONT, &::DeleteObject>>;
using UniqueBrush = UniqueHandle<NullHandleTraits<HBRUSH, &::DeleteObject>>;
using UniqueBitmap = UniqueHandle<NullHandleTraits<HBITMAP, &::DeleteObject>>;
using UniquePen = UniqueHandle<NullHandleTraits<HPEN, &::DeleteObject>>;
// A DC of CreateCompatibleDC; one borrowed from a window is a WindowDC.
using UniqueMemoryDC = UniqueHandle<NullHandleTraits<HDC, &::DeleteDC>>;
using UniqueCursor = UniqueHandle<NullHandleTraits<HCURSOR, &::DestroyCursor>>;
using UniqueImageList = UniqueHandle<NullHandleTraits<HIMAGELIST, &::ImageList_Destroy>>;
using UniqueStdioFile = UniqueHandle<NullHandleTraits<FILE*, &::fclose>>;
