#include "testing/simhost/SimValue.h"

#include <cstring>
#include <new>

#include "base/text/WideFormat.h"
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

CSimValue CSimValue::Bytes(const std::vector<BYTE>& bytes, VARTYPE elementType, LONG lowerBound)
{
    SAFEARRAYBOUND bound{static_cast<ULONG>(bytes.size()), lowerBound};
    SAFEARRAY* array = SafeArrayCreate(elementType, 1, &bound);
    if (!array)
        throw std::bad_alloc();
    void* data = nullptr;
    if (!bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
        memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    CSimValue value;
    value.m_v.vt = VT_ARRAY | elementType;
    value.m_v.parray = array;
    return value;
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

std::wstring DescribeBytes(const VARIANT& v)
{
    std::vector<BYTE> bytes;
    if (!ReadBytes(v, bytes))
        return L"<bad array>";
    constexpr size_t kShown = 24;
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text = L"<" + std::to_wstring(bytes.size()) + L" bytes ";
    for (size_t i = 0; i < bytes.size() && i < kShown; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text + (bytes.size() > kShown ? L"...>" : L">");
}

} // namespace

bool ReadBytes(const VARIANT& v, std::vector<BYTE>& bytes)
{
    if ((v.vt != (VT_ARRAY | VT_I1) && v.vt != (VT_ARRAY | VT_UI1)) || !v.parray || SafeArrayGetDim(v.parray) != 1 ||
        SafeArrayGetElemsize(v.parray) != 1)
        return false;
    LONG low = 0, high = -1;
    if (FAILED(SafeArrayGetLBound(v.parray, 1, &low)) || FAILED(SafeArrayGetUBound(v.parray, 1, &high)))
        return false;
    bytes.assign(static_cast<size_t>(high - low + 1), 0);
    void* data = nullptr;
    if (bytes.empty())
        return true;
    if (FAILED(SafeArrayAccessData(v.parray, &data)))
        return false;
    memcpy(bytes.data(), data, bytes.size());
    SafeArrayUnaccessData(v.parray);
    return true;
}

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
    case VT_ARRAY | VT_I1:
    case VT_ARRAY | VT_UI1: return DescribeBytes(v);
    default: return FormatWide(L"<vt %u>", static_cast<unsigned>(v.vt));
    }
}
