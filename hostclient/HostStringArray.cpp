#include "hostclient/HostStringArray.h"

#include "hostclient/HostException.h"

void MakeStringArray(const std::vector<std::wstring>& strings, ScopedVariant& out)
{
    out.Clear();
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(strings.size()));
    if (!array)
        throw CHostOutOfMemory();
    // Owned by `out` from here on, so every path below frees it.
    out->vt = VT_ARRAY | VT_BSTR;
    out->parray = array;
    for (size_t i = 0; i < strings.size(); ++i) {
        ScopedBstr text(strings[i]);
        if (!text.Get())
            throw CHostOutOfMemory();
        LONG index = static_cast<LONG>(i);
        if (FAILED(SafeArrayPutElement(array, &index, text.Get()))) // copies the string
            throw CHostOutOfMemory();
    }
}
