// The plug-in's ten exports. No exception leaves them: each catches
// everything and answers as for a failure.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "base/text/TextConversion.h"
#include "geometry/DataBarStore.h"
#include "geometry/GeoHostInterface.h"
#include "geometry/MeshBuilder.h"
#include "geometry/ObjectGuid.h"
#include "geometry/ParamMap.h"
#include "geometry/paramui/DataBarDialog.h"
#include "geometry/vantre/VantreModule.h"
#include "geometry/vantre/VantreResources.h"

namespace {

const char kObjectGuid[] = "56BB1B08-4A77-416f-8E63-4E78D887A9EF";
const char kObjectName[] = "Vantre";

}  // namespace

extern "C" {

int32_t GEO_EXPORT_CALL GetLibraryType()
{
    return 1;
}

const char* GEO_EXPORT_CALL GetObjectGUID()
{
    return kObjectGuid;
}

const char* GEO_EXPORT_CALL GetObjectName()
{
    return kObjectName;
}

int32_t GEO_EXPORT_CALL GetThumbnail(GeoHostBitmap* bitmap)
{
    if (!bitmap || bitmap->handle)
        return 0;
    // The host's object takes the bitmap over.
    bitmap->handle = static_cast<HBITMAP>(
        LoadImageW(VantreModuleHandle(), MAKEINTRESOURCEW(IDB_THUMBNAIL), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    return bitmap->handle ? 1 : 0;
}

int32_t GEO_EXPORT_CALL InitializeParamMap(IGeoObject* object)
{
    if (!object)
        return 0;
    try {
        EnsureVantreStarted();
        int32_t written = 0;
        for (const auto& entry : g_paramMap.Defaults()) {
            object->SetParam(entry.first, entry.second);
            ++written;
        }
        GUID guid = GUID_NULL;
        if (SUCCEEDED(CreateStorableGuid(guid)))
            WriteGuidParams(*object, guid);
        return written;
    } catch (...) {
        return 0;
    }
}

int32_t GEO_EXPORT_CALL RecreateObject(IGeoObject* object, int32_t)
{
    if (!object)
        return 1;
    try {
        EnsureVantreStarted();
        RebuildMesh(object, GuidString(ReadGuidParams(*object)));
    } catch (...) {
    }
    return 1;
}

HWND GEO_EXPORT_CALL GetParamDialog(IGeoParamLink* link)
{
    try {
        EnsureVantreStarted();
        return CDataBarDialog::ShowForLink(link);
    } catch (...) {
        return nullptr;
    }
}

int32_t GEO_EXPORT_CALL GetParamName(int32_t id, char* buffer)
{
    if (!buffer)
        return 0;
    buffer[0] = '\0';
    try {
        EnsureVantreStarted();
        const std::wstring name = g_paramMap.FullName(id);
        if (name.empty())
            return 1;
        // The host's buffer holds any name of the map (the longest has 33
        // characters); the length is asked first and the copy ends in NUL.
        const std::string ansi = WideToNarrow(name, CP_ACP);
        if (ansi.size() < static_cast<size_t>(kMaxParamNameBytes))
            memcpy(buffer, ansi.c_str(), ansi.size() + 1);
    } catch (...) {
        buffer[0] = '\0';
    }
    return 1;
}

int32_t GEO_EXPORT_CALL SetDataBarRedraw(const wchar_t* guid, int32_t flag)
{
    if (!guid)
        return 0;
    try {
        g_dataBarStore.SetRedraw(guid, flag);
    } catch (...) {
    }
    return 0;
}

int32_t GEO_EXPORT_CALL SetDataBarValue(const wchar_t* guid, const wchar_t* name, double value, int32_t redraw)
{
    if (!guid || !name)
        return 0;
    try {
        g_dataBarStore.SetValue(guid, name, value, redraw);
    } catch (...) {
    }
    return 0;
}

}  // extern "C"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH) {
        SetVantreModuleHandle(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        char text[128];
        snprintf(text, sizeof text, "CDataBarApp::~CDataBarApp() : g_geoControlCount = %ld, g_xmlNodeCount = %ld\n",
                 g_geoControlCount.load(), g_xmlNodeCount);
        OutputDebugStringA(text);
    }
    return TRUE;
}
