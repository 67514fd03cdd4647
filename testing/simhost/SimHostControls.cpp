// The host's side of plug-in controls: creating them by ProgID, calling
// their members by name, start-up and menu commands.
#include "testing/simhost/SimHost.h"

#include "base/com/ComTypes.h"
#include "base/com/ScopedExcepInfo.h"

HRESULT CSimHost::LoadControl(const std::wstring& progId, RefPtr<IDispatch>& control)
{
    control.Reset();
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr))
        return hr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(control.Put()));
    if (SUCCEEDED(hr))
        m_controls.push_back(control);
    return hr;
}

HRESULT CSimHost::CallControl(IDispatch* control, const std::wstring& name, WORD kind,
                              std::vector<CSimValue> arguments, VARIANT* result, std::wstring* error)
{
    if (!control)
        return E_POINTER;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    HRESULT hr = control->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;

    // DISPPARAMS wants the arguments last to first; the values stay owned by `arguments`.
    std::vector<VARIANT> reversed;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it)
        reversed.push_back(it->Get());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (kind == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    ScopedVariant ignored;
    ScopedExcepInfo exception;
    UINT argumentError = 0;
    hr = control->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result ? result : ignored.Get(),
                         exception.Get(), &argumentError);
    if (hr == DISP_E_EXCEPTION && error) {
        exception.Complete();
        *error = exception.Description();
    }
    return hr;
}

bool CSimHost::InitializeControl(IDispatch* control)
{
    VARIANT application;
    VariantInit(&application);
    application.vt = VT_DISPATCH;
    application.pdispVal = m_application;
    LONG status = 0; // a BOOL out-parameter
    VARIANT statusRef;
    VariantInit(&statusRef);
    statusRef.vt = VT_BYREF | VT_I4;
    statusRef.plVal = &status;

    IDispatch* outer = m_initializing;
    m_initializing = control;
    const HRESULT hr = CallControl(control, L"OnInitialize", DISPATCH_METHOD,
                                   {CSimValue(application), CSimValue(statusRef)}, nullptr);
    m_initializing = outer;
    return SUCCEEDED(hr) && status != 0;
}

HRESULT CSimHost::EditProperties(IDispatch* control, CSimNode& node, const std::wstring& group)
{
    VARIANT application;
    VariantInit(&application);
    application.vt = VT_DISPATCH;
    application.pdispVal = m_application;
    VARIANT properties;
    VariantInit(&properties);
    properties.vt = VT_DISPATCH;
    properties.pdispVal = &node.PropertyCollection(group);
    return CallControl(control, L"Execute", DISPATCH_METHOD, {CSimValue(application), CSimValue(properties)}, nullptr);
}

HRESULT CSimHost::RunMenuItem(const std::wstring& plugin, const std::wstring& command)
{
    for (const SimMenuItem& item : m_menuItems)
        if (item.plugin == plugin && item.command == command) {
            VARIANT menuItem;
            VariantInit(&menuItem);
            menuItem.vt = VT_BSTR;
            ScopedBstr name(command);
            menuItem.bstrVal = name.Get();
            return CallControl(item.control.Get(), command, DISPATCH_METHOD, {CSimValue(menuItem)}, nullptr);
        }
    return DISP_E_MEMBERNOTFOUND;
}
