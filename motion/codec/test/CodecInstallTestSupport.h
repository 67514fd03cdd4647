#pragma once
// Installs the built DRVL.dll (beside the test program) as the prefix's
// "vidc.DRVL" driver for the life of the object, and removes the entry again.

#include "base/win/UniqueHandle.h"

#include <string>
#include <vector>

class ScopedCodecInstall {
public:
    ScopedCodecInstall();
    ~ScopedCodecInstall();
    ScopedCodecInstall(const ScopedCodecInstall&) = delete;
    ScopedCodecInstall& operator=(const ScopedCodecInstall&) = delete;

    bool Installed() const { return m_installed; }

private:
    bool m_installed = false;
};

// The value of the prefix's "vidc.DRVL" driver entry; empty when there is none.
std::wstring InstalledCodecEntry();
// The program's own folder with a trailing backslash.
std::wstring ProgramFolder();
// The threads of this process that started in the codec module, opened
// for waiting on them.
std::vector<UniqueKernelHandle> CodecThreads();
