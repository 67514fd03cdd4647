#include "common/automation/DispatchArguments.h"

#include "base/com/ComTypes.h"

HRESULT DispatchArguments::Convert(UINT scriptPosition, VARTYPE type, VARIANT& converted)
{
    if (scriptPosition >= m_params.cArgs || !m_params.rgvarg)
        return DISP_E_BADPARAMCOUNT;
    const UINT blockPosition = m_params.cArgs - 1 - scriptPosition;
    ScopedVariant direct;
    HRESULT hr = VariantCopyInd(direct.Get(), &m_params.rgvarg[blockPosition]);
    if (SUCCEEDED(hr))
        hr = VariantChangeType(&converted, direct.Get(), 0, type);
    if (FAILED(hr))
        m_failedPosition = blockPosition;
    return hr;
}

template <typename Store>
HRESULT DispatchArguments::Read(UINT scriptPosition, VARTYPE type, Store store)
{
    ScopedVariant converted;
    const HRESULT hr = Convert(scriptPosition, type, *converted.Get());
    if (SUCCEEDED(hr))
        store(*converted.Get());
    return hr;
}

HRESULT DispatchArguments::Text(UINT scriptPosition, std::wstring& value)
{
    return Read(scriptPosition, VT_BSTR, [&value](const VARIANT& v) {
        value.assign(v.bstrVal ? v.bstrVal : L"", v.bstrVal ? SysStringLen(v.bstrVal) : 0);
    });
}

HRESULT DispatchArguments::Int32(UINT scriptPosition, LONG& value)
{
    return Read(scriptPosition, VT_I4, [&value](const VARIANT& v) { value = v.lVal; });
}

HRESULT DispatchArguments::Double(UINT scriptPosition, double& value)
{
    return Read(scriptPosition, VT_R8, [&value](const VARIANT& v) { value = v.dblVal; });
}
