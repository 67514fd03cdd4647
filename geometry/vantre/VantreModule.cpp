#include "geometry/vantre/VantreModule.h"

#include "base/com/ScopedComApartment.h"
#include "geometry/GdiplusSession.h"
#include "geometry/HostVersion.h"
#include "geometry/ParamMap.h"

namespace {

HMODULE g_module = nullptr;
INIT_ONCE g_startOnce = INIT_ONCE_STATIC_INIT;
// GDI+ may not be shut down while the loader lock is held, so it stays up
// until the process ends.
CGdiplusSession* g_gdiplus = nullptr;

BOOL CALLBACK StartOnce(INIT_ONCE*, void*, void**)
{
    try {
        g_hostVersion = ReadHostVersion();
        g_gdiplus = new CGdiplusSession();
        const ScopedComApartment com;   // the parameter map is read with the SAX reader
        g_paramMap.LoadFromModule(g_module);
    } catch (...) {
        // A failed start leaves empty tables; the exports still answer.
    }
    return TRUE;
}

}  // namespace

HMODULE VantreModuleHandle()
{
    return g_module;
}

void SetVantreModuleHandle(HMODULE module)
{
    g_module = module;
}

void EnsureVantreStarted()
{
    InitOnceExecuteOnce(&g_startOnce, StartOnce, nullptr, nullptr);
}
