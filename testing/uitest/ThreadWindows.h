#pragma once
// Finding this thread's windows from a test: menus, dialogs and other
// top-level windows it shows.

#include <windows.h>

#include <functional>
#include <string>

inline std::wstring WindowClassName(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

inline std::wstring WindowTitle(HWND hwnd)
{
    wchar_t title[256] = {};
    GetWindowTextW(hwnd, title, 256);
    return title;
}

struct ThreadWindowSearch {
    const std::function<bool(HWND)>& matches;
    HWND found;
};

inline BOOL CALLBACK MatchThreadWindow(HWND hwnd, LPARAM param)
{
    auto* search = reinterpret_cast<ThreadWindowSearch*>(param);
    if (!IsWindowVisible(hwnd) || !search->matches(hwnd))
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The first visible top-level window of this thread that `matches`; null
// when there is none.
inline HWND FindShownThreadWindow(const std::function<bool(HWND)>& matches)
{
    ThreadWindowSearch search{matches, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &MatchThreadWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
