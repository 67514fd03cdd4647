#include "testing/geohost/VantreLibrary.h"

CVantreLibrary::CVantreLibrary(const wchar_t* path) : m_module(LoadLibraryW(path))
{
    if (!m_module)
        return;
    m_loaded = Resolve(GetLibraryType, "GetLibraryType") && Resolve(GetObjectGUID, "GetObjectGUID") &&
               Resolve(GetObjectName, "GetObjectName") && Resolve(GetThumbnail, "GetThumbnail") &&
               Resolve(InitializeParamMap, "InitializeParamMap") && Resolve(RecreateObject, "RecreateObject") &&
               Resolve(GetParamDialog, "GetParamDialog") && Resolve(GetParamName, "GetParamName") &&
               Resolve(SetDataBarRedraw, "SetDataBarRedraw") && Resolve(SetDataBarValue, "SetDataBarValue");
}

template <typename F>
bool CVantreLibrary::Resolve(F& function, const char* name)
{
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module.Get(), name)));
    return function != nullptr;
}

int CVantreLibrary::RebuildWhileRequested(IGeoObject* object, GeoMeshBuffers* buffers, int limit)
{
    int builds = 0;
    do {
        RecreateObject(object, 0);
        ++builds;
    } while (buffers && buffers->redraw != 0 && builds < limit);
    return builds;
}
