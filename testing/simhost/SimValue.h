#pragma once
// A copyable owner of one VARIANT, for the simulated host's stored values.

#include <windows.h>
#include <oleauto.h>

#include <string>

class CSimValue {
public:
    CSimValue() { VariantInit(&m_v); }
    explicit CSimValue(const VARIANT& v);
    explicit CSimValue(const std::wstring& text);
    explicit CSimValue(long value);
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
// "<object Class>" for one of our objects: the call log's form of a value.
std::wstring DescribeValue(const VARIANT& v);
