#pragma once
// The module (exe or DLL) that the calling code is linked into. Resources of
// a static library's users live there, not in the host program.

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE CurrentModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

#include <string>

// The full path of the module that the calling code is linked into.
inline std::wstring CurrentModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(CurrentModule(), &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // truncated: try a larger buffer
    }
}

// A text of the string table of the module that the calling code is linked
// into; empty when it has none of that number.
inline std::wstring LoadModuleString(UINT id)
{
    const wchar_t* text = nullptr; // with a length of 0 the call hands out the resource itself
    const int length = ::LoadStringW(CurrentModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}
