#pragma once
// Vantre.dll loaded the way the host loads it: by file name, its functions
// found by their export names.

#include <windows.h>

#include "base/win/UniqueHandle.h"
#include "geometry/GeoHostInterface.h"

class CVantreLibrary {
public:
    // Loads `path` (default: Vantre.dll beside the executable's search path).
    explicit CVantreLibrary(const wchar_t* path = L"Vantre.dll");
    CVantreLibrary(const CVantreLibrary&) = delete;
    CVantreLibrary& operator=(const CVantreLibrary&) = delete;

    // True when the library loaded and all ten exports were found.
    bool IsLoaded() const { return m_loaded; }

    GetLibraryTypeFn GetLibraryType = nullptr;
    GetObjectGUIDFn GetObjectGUID = nullptr;
    GetObjectNameFn GetObjectName = nullptr;
    GetThumbnailFn GetThumbnail = nullptr;
    InitializeParamMapFn InitializeParamMap = nullptr;
    RecreateObjectFn RecreateObject = nullptr;
    GetParamDialogFn GetParamDialog = nullptr;
    GetParamNameFn GetParamName = nullptr;
    SetDataBarRedrawFn SetDataBarRedraw = nullptr;
    SetDataBarValueFn SetDataBarValue = nullptr;

    // RecreateObject, then again while the object asks for another build,
    // at most `limit` builds in all. Returns the number of builds.
    int RebuildWhileRequested(IGeoObject* object, GeoMeshBuffers* buffers, int limit);

private:
    template <typename F>
    bool Resolve(F& function, const char* name);

    UniqueModule m_module;
    bool m_loaded = false;
};
