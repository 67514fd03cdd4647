#pragma once
// The module (exe or DLL) that the calling code is linked into. Resources of
// a static library's users live there, not in the host program.

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

inline HINSTANCE CurrentModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}
