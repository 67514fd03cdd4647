#include "common/automation/DispatchArguments.h"

#include "common/com/ComTypes.h"

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

HRESULT DispatchArguments::Text(UINT scriptPosition, std::wstring& value)
{
    ScopedVariant converted;
    const HRESULT hr = Convert(scriptPosition, VT_BSTR, *converted.Get());
    if (SUCCEEDED(hr)) {
        const BSTR text = converted->bstrVal;
        value.assign(text ? text : L"", text ? SysStringLen(text) : 0);
    }
    return hr;
}

HRESULT DispatchArguments::Int32(UINT scriptPosition, LONG& value)
{
    ScopedVariant converted;
    const HRESULT hr = Convert(scriptPosition, VT_I4, *converted.Get());
    if (SUCCEEDED(hr))
        value = converted->lVal;
    return hr;
}

HRESULT DispatchArguments::Double(UINT scriptPosition, double& value)
{
    ScopedVariant converted;
    const HRESULT hr = Convert(scriptPosition, VT_R8, *converted.Get());
    if (SUCCEEDED(hr))
        value = converted->dblVal;
    return hr;
}
