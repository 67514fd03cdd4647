#include "common/storedvalues/StorableGuid.h"

#include <cstdint>
#include <cstring>

bool IsSignallingNaN(const void* eightBytes)
{
    uint64_t bits = 0;
    memcpy(&bits, eightBytes, sizeof bits);
    const uint64_t exponent = (bits >> 52) & 0x7FF;
    const uint64_t mantissa = bits & 0xFFFFFFFFFFFFFull;
    const bool quiet = (bits >> 51) & 1;
    return exponent == 0x7FF && mantissa != 0 && !quiet;
}

HRESULT CreateStorableGuid(GUID& guid, HRESULT (WINAPI* create)(GUID*))
{
    // One GUID in about two thousand has such a half; a few draws suffice.
    for (int attempt = 0; attempt < 64; ++attempt) {
        GUID drawn;
        const HRESULT hr = create(&drawn);
        if (FAILED(hr))
            return hr;
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&drawn);
        if (!IsSignallingNaN(bytes) && !IsSignallingNaN(bytes + 8)) {
            guid = drawn;
            return S_OK;
        }
    }
    return E_FAIL;
}

std::wstring GuidString(const GUID& guid)
{
    wchar_t text[64] = {};
    const int length = StringFromGUID2(guid, text, static_cast<int>(sizeof text / sizeof text[0]));
    return length > 0 ? std::wstring(text) : std::wstring();
}
