#include "common/automation/TypeInfoLoader.h"

#include "common/com/RefPtr.h"

HRESULT LoadTypeInfo(const TypeLibraryRef& library, REFGUID type, LCID locale,
                     ITypeInfo** info, const LogSink& log)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;

    RefPtr<ITypeLib> typeLib;
    HRESULT hr = LoadRegTypeLib(library.libraryId, library.majorVersion, library.minorVersion,
                                locale, typeLib.Put());
    if (FAILED(hr)) {
        // REGKIND_NONE: loading the file must not register it as a side effect.
        hr = LoadTypeLibEx(library.fileName, REGKIND_NONE, typeLib.Put());
        if (FAILED(hr)) {
            if (log)
                log(L"Failed to load type library");
            return hr;
        }
    }
    return typeLib->GetTypeInfoOfGuid(type, info);
}
