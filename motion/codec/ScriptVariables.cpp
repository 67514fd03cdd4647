#include "motion/codec/ScriptVariables.h"

#include "base/com/ComTypes.h"

namespace {

bool IsObject(const VARIANT& value)
{
    const VARTYPE type = static_cast<VARTYPE>(V_VT(&value) & VT_TYPEMASK);
    return type == VT_DISPATCH || type == VT_UNKNOWN;
}

// 0 when the value does not convert.
LONG AsInt32(const VARIANT& value, bool& converted)
{
    ScopedVariant number;
    converted = SUCCEEDED(VariantChangeType(number.Get(), const_cast<VARIANT*>(&value), 0, VT_I4));
    return converted ? V_I4(number.Get()) : 0;
}

}  // namespace

ScriptVariables::~ScriptVariables()
{
    for (auto& entry : m_values)
        VariantClear(&entry.second);
}

HRESULT ScriptVariables::Set(const std::wstring& name, const VARIANT& value)
{
    ScopedVariant copy;
    HRESULT hr = CopyVariantIndirect(*copy.Get(), value);
    if (FAILED(hr))
        return hr;
    if (IsObject(*copy.Get()))
        return E_INVALIDARG;
    CriticalSectionLock lock(m_lock);
    auto found = m_values.find(name);
    if (found == m_values.end()) {
        VARIANT empty;
        VariantInit(&empty);
        found = m_values.emplace(name, empty).first;
    }
    VariantClear(&found->second);
    found->second = copy.Detach();
    return S_OK;
}

HRESULT ScriptVariables::Get(const std::wstring& name, VARIANT& result, const VARIANT& defaultValue)
{
    VariantClear(&result);
    CriticalSectionLock lock(m_lock);
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return CopyVariant(result, defaultValue);
    const auto delta = m_values.find(L"Delta-" + name);
    if (delta == m_values.end())
        return CopyVariant(result, found->second);

    bool converted = false;
    const LONG step = AsInt32(delta->second, converted);
    const LONG value = AsInt32(found->second, converted);
    if (!converted)
        return CopyVariant(result, found->second);   // text stays as it is
    // In 64 bits: a sum past the 32-bit range stops at its end.
    LONGLONG sum = static_cast<LONGLONG>(value) + step;
    if (sum < 0)
        sum = 0;
    if (sum > MAXLONG)
        sum = MAXLONG;
    VariantClear(&found->second);
    V_VT(&found->second) = VT_I4;
    V_I4(&found->second) = static_cast<LONG>(sum);
    return CopyVariant(result, found->second);
}
