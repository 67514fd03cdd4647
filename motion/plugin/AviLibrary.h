#pragma once
// AVIFileInit and AVIFileExit, balanced on every path; the owner of a
// stream's frame decoder.

#include <windows.h>
#include <vfw.h>

#include "base/win/UniqueHandle.h"

class AviLibrary {
public:
    AviLibrary() { AVIFileInit(); }
    ~AviLibrary() { AVIFileExit(); }
    AviLibrary(const AviLibrary&) = delete;
    AviLibrary& operator=(const AviLibrary&) = delete;
};

using UniqueGetFrame = UniqueHandle<NullHandleTraits<PGETFRAME, &AVIStreamGetFrameClose>>;
