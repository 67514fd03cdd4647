#include "common/automation/TypeInfoLoader.h"

#include "base/com/RefPtr.h"
#include "base/com/ThreadClassCache.h"

HRESULT LoadTypeInfo(const TypeLibraryRef& library, REFGUID type, LCID locale,
                     ITypeInfo** info, const LogSink& log)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;

    CThreadClassCache* const cache = CThreadClassCache::Current();
    RefPtr<ITypeLib> typeLib =
        cache ? cache->FindTypeLibrary(library.libraryId, library.majorVersion, library.minorVersion) : nullptr;
    if (!typeLib) {
        HRESULT hr = LoadRegTypeLib(library.libraryId, library.majorVersion, library.minorVersion, locale,
                                    typeLib.Put());
        if (FAILED(hr)) {
            // REGKIND_NONE: loading the file must not register it as a side effect.
            hr = LoadTypeLibEx(library.fileName, REGKIND_NONE, typeLib.Put());
            if (FAILED(hr)) {
                if (log)
                    log(L"Failed to load type library");
                return hr;
            }
        }
        if (cache)
            cache->KeepTypeLibrary(library.libraryId, library.majorVersion, library.minorVersion, typeLib.Get());
    }
    return typeLib->GetTypeInfoOfGuid(type, info);
}
