#pragma once
// Loads type information from a script-visible object's type library: the
// registered library first, then the library file by name.

#include <windows.h>
#include <oaidl.h>

#include "base/errors/FailureReport.h"

struct TypeLibraryRef {
    GUID libraryId;
    WORD majorVersion;
    WORD minorVersion;
    const wchar_t* fileName;   // tried when the registered library is missing
};

// `info` receives one reference or null. When neither the registered library
// nor the file loads, "Failed to load type library" goes to `log` (if any).
HRESULT LoadTypeInfo(const TypeLibraryRef& library, REFGUID type, LCID locale,
                     ITypeInfo** info, const LogSink& log);
