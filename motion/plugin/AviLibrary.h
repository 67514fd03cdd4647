#pragma once
// AVIFileInit and AVIFileExit, balanced on every path.

#include <windows.h>
#include <vfw.h>

class AviLibrary {
public:
    AviLibrary() { AVIFileInit(); }
    ~AviLibrary() { AVIFileExit(); }
    AviLibrary(const AviLibrary&) = delete;
    AviLibrary& operator=(const AviLibrary&) = delete;
};
