#include "motion/plugin/GuidString.h"

#include "common/com/RefPtr.h"

#include <objbase.h>

HRESULT MakeGuidString(std::wstring& out)
{
    GUID guid;
    HRESULT hr = CoCreateGuid(&guid);
    if (FAILED(hr))
        return hr;
    RefPtr<IMalloc> allocator;
    hr = CoGetMalloc(1, allocator.Put());
    if (FAILED(hr))
        return hr;
    LPOLESTR text = nullptr;
    hr = StringFromCLSID(guid, &text);
    if (FAILED(hr))
        return hr;
    try {
        out = text;
    } catch (...) {
        allocator->Free(text);
        return E_OUTOFMEMORY;
    }
    allocator->Free(text);
    return S_OK;
}
