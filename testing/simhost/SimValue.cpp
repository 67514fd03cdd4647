#include "testing/simhost/SimValue.h"

#include <new>

#include "common/text/WideFormat.h"
#include "testing/simhost/SimDispatch.h"

CSimValue::CSimValue(const VARIANT& v)
{
    VariantInit(&m_v);
    if (FAILED(VariantCopy(&m_v, const_cast<VARIANT*>(&v))))
        throw std::bad_alloc();
}

CSimValue::CSimValue(const std::wstring& text)
{
    VariantInit(&m_v);
    m_v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!m_v.bstrVal)
        throw std::bad_alloc();
    m_v.vt = VT_BSTR;
}

CSimValue::CSimValue(long value)
{
    VariantInit(&m_v);
    m_v.vt = VT_I4;
    m_v.lVal = value;
}

CSimValue& CSimValue::operator=(const CSimValue& other)
{
    if (this != &other) {
        CSimValue copy(other);
        std::swap(m_v, copy.m_v);
    }
    return *this;
}

HRESULT CSimValue::CopyTo(VARIANT* out) const
{
    VariantInit(out);
    return VariantCopy(out, const_cast<VARIANT*>(&m_v));
}

namespace {

// Every number as a double, whatever its variant type.
std::wstring Number(const wchar_t* format, double value)
{
    return FormatWide(format, value);
}

std::wstring DescribeStringArray(SAFEARRAY* array)
{
    if (!array || SafeArrayGetDim(array) != 1)
        return L"<bad array>";
    LONG low = 0, high = -1;
    SafeArrayGetLBound(array, 1, &low);
    SafeArrayGetUBound(array, 1, &high);
    std::wstring text = L"{";
    for (LONG i = low; i <= high; ++i) {
        BSTR element = nullptr;
        if (SUCCEEDED(SafeArrayGetElement(array, &i, &element))) {
            if (i > low)
                text += L",";
            text.append(element ? element : L"", SysStringLen(element));
            SysFreeString(element);
        }
    }
    return text + L"}";
}

} // namespace

std::wstring DescribeValue(const VARIANT& v)
{
    switch (v.vt) {
    case VT_EMPTY: return L"<empty>";
    case VT_NULL: return L"<null>";
    case VT_BSTR: return std::wstring(v.bstrVal ? v.bstrVal : L"", SysStringLen(v.bstrVal));
    case VT_I4: return Number(L"%.0f", v.lVal);
    case VT_I2: return Number(L"%.0f", v.iVal);
    case VT_I1: return Number(L"%.0f", v.cVal);
    case VT_BOOL: return v.boolVal ? L"true" : L"false";
    case VT_R8: return Number(L"%g", v.dblVal);
    case VT_R4: return Number(L"%g", v.fltVal);
    case VT_DISPATCH: {
        if (!v.pdispVal)
            return L"<null object>";
        CSimObject* object = CSimObject::FromDispatch(v.pdispVal);
        return object ? L"<object " + object->Class().Name() + L">" : L"<object>";
    }
    case VT_ARRAY | VT_BSTR: return DescribeStringArray(v.parray);
    default: return FormatWide(L"<vt %u>", static_cast<unsigned>(v.vt));
    }
}
