#include "hostclient/HostObject.h"

#include <cwchar>
#include <vector>

#include "base/com/ScopedExcepInfo.h"
#include "base/errors/FailureReport.h"
#include "base/text/WideFormat.h"

namespace {

std::wstring FailedCallText(const wchar_t* what, DISPID id, HRESULT hr, UINT argumentError)
{
    if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)
        return FormatWide(L"%ls (member %ld, argument %u): ", what, static_cast<long>(id), argumentError) +
               HResultText(hr);
    return FormatWide(L"%ls (member %ld): ", what, static_cast<long>(id)) + HResultText(hr);
}

} // namespace

void CHostObject::AttachDispatch(IDispatch* dispatch, bool autoRelease)
{
    ReleaseDispatch();
    m_dispatch = dispatch;
    m_autoRelease = autoRelease;
}

void CHostObject::ReleaseDispatch()
{
    IDispatch* dispatch = std::exchange(m_dispatch, nullptr);
    if (dispatch && m_autoRelease)
        dispatch->Release();
}

bool CHostObject::GetDispID(IDispatch* dispatch, const wchar_t* name, DISPID& cell)
{
    if (!dispatch)
        return false;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &cell));
}

void CHostObject::Invoke(DISPID id, WORD kind, CHostArgument* arguments, size_t count, VARIANT* result)
{
    if (!m_dispatch)
        throw CHostException(E_POINTER, L"no host object attached", L"", false);

    // DISPPARAMS wants the arguments last to first.
    std::vector<VARIANT> reversed;
    reversed.reserve(count);
    for (size_t i = count; i > 0; --i)
        reversed.push_back(arguments[i - 1].Value());

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{};
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = static_cast<UINT>(reversed.size());
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }

    ScopedExcepInfo exception;
    UINT argumentError = 0;
    const HRESULT hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result,
                                          exception.Get(), &argumentError);
    if (hr == DISP_E_EXCEPTION) {
        exception.Complete();
        HRESULT code = exception.Code();
        if (code == S_OK)
            code = exception.WCode() ? MAKE_HRESULT(SEVERITY_ERROR, FACILITY_DISPATCH, exception.WCode())
                                     : DISP_E_EXCEPTION;
        throw CHostException(code, exception.Description(), exception.Source(), true);
    }
    if (FAILED(hr))
        throw CHostException(hr, FailedCallText(L"host call failed", id, hr, argumentError), L"", false);
}

const VARIANT& CHostObject::Coerced(ScopedVariant& result, VARTYPE type)
{
    if (result->vt != type) {
        const HRESULT hr = VariantChangeType(result.Get(), result.Get(), 0, type);
        if (FAILED(hr))
            throw CHostException(hr, L"host answer has the wrong type", L"", false);
    }
    return *result.Get();
}

RefPtr<IDispatch> CHostObject::TakeObject(ScopedVariant& result)
{
    const VARTYPE vt = result->vt;
    if (vt == VT_EMPTY || vt == VT_NULL)
        return nullptr;
    Coerced(result, VT_DISPATCH);
    RefPtr<IDispatch> object = RefPtr<IDispatch>::Adopt(result->pdispVal);
    result->vt = VT_EMPTY; // the reference now belongs to `object`
    result->pdispVal = nullptr;
    return object;
}
