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
