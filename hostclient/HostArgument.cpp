#include "hostclient/HostArgument.h"

#include "hostclient/HostException.h"

namespace {

BSTR AllocateOrThrow(const wchar_t* chars, size_t count)
{
    BSTR b = SysAllocStringLen(chars, static_cast<UINT>(count));
    if (!b)
        throw CHostOutOfMemory();
    return b;
}

} // namespace

CHostArgument::CHostArgument(const wchar_t* text)
{
    VariantInit(&m_value);
    const wchar_t* chars = text ? text : L"";
    m_value.bstrVal = AllocateOrThrow(chars, wcslen(chars));
    m_value.vt = VT_BSTR;
}

CHostArgument::CHostArgument(const std::wstring& text)
{
    VariantInit(&m_value);
    m_value.bstrVal = AllocateOrThrow(text.data(), text.size());
    m_value.vt = VT_BSTR;
}

CHostArgument::CHostArgument(long value)
{
    VariantInit(&m_value);
    m_value.vt = VT_I4;
    m_value.lVal = value;
}

CHostArgument::CHostArgument(int value) : CHostArgument(static_cast<long>(value)) {}

CHostArgument::CHostArgument(short value)
{
    VariantInit(&m_value);
    m_value.vt = VT_I2;
    m_value.iVal = value;
}

CHostArgument::CHostArgument(bool value)
{
    VariantInit(&m_value);
    m_value.vt = VT_BOOL;
    m_value.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

CHostArgument::CHostArgument(double value)
{
    VariantInit(&m_value);
    m_value.vt = VT_R8;
    m_value.dblVal = value;
}

CHostArgument::CHostArgument(float value)
{
    VariantInit(&m_value);
    m_value.vt = VT_R4;
    m_value.fltVal = value;
}

CHostArgument::CHostArgument(IDispatch* object)
{
    VariantInit(&m_value);
    m_value.vt = VT_DISPATCH;
    m_value.pdispVal = object;
    if (object)
        object->AddRef();
}

CHostArgument::CHostArgument(const VARIANT& value)
{
    VariantInit(&m_value);
    const HRESULT hr = VariantCopy(&m_value, const_cast<VARIANT*>(&value));
    if (FAILED(hr))
        throw CHostException(hr, L"argument value cannot be copied", L"", false);
}

CHostArgument::CHostArgument(VARIANT* reference)
{
    VariantInit(&m_value);
    m_value.vt = VT_BYREF | VT_VARIANT;
    m_value.pvarVal = reference;
}

CHostArgument::~CHostArgument()
{
    VariantClear(&m_value);
}
