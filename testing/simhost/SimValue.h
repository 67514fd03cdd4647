#pragma once
// A copyable owner of one VARIANT, for the simulated host's stored values.

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

class CSimValue {
public:
    CSimValue() { VariantInit(&m_v); }
    explicit CSimValue(const VARIANT& v);
    explicit CSimValue(const std::wstring& text);
    explicit CSimValue(long value);
    // A one-dimensional array of bytes, VT_ARRAY | `elementType` (VT_I1 is
    // the host's form of binary custom properties), from index `lowerBound`.
    static CSimValue Bytes(const std::vector<BYTE>& bytes, VARTYPE elementType = VT_I1, LONG lowerBound = 0);
    CSimValue(const CSimValue& other) : CSimValue(other.m_v) {}
    CSimValue& operator=(const CSimValue& other);
    ~CSimValue() { VariantClear(&m_v); }

    const VARIANT& Get() const { return m_v; }
    // Copies the value into `out`, which the receiver clears.
    HRESULT CopyTo(VARIANT* out) const;

private:
    VARIANT m_v;
};

// "text" for a string, the number for numbers, "{a,b}" for a string array,
// "<12 bytes 0C000000789C>" for bytes (at most 24 shown, then "..."),
// "<object Class>" for one of our objects: the call log's form of a value.
std::wstring DescribeValue(const VARIANT& v);

// The bytes of a one-dimensional VT_ARRAY | VT_I1 or VT_UI1 value.
bool ReadBytes(const VARIANT& v, std::vector<BYTE>& bytes);
