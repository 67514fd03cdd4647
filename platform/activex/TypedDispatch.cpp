#include "platform/activex/TypedDispatch.h"

#include <algorithm>
#include <new>

namespace {

bool IsSupportedValueType(VARTYPE type)
{
    switch (type) {
    case VT_BSTR:
    case VT_I4:
    case VT_R8:
    case VT_BOOL:
    case VT_VARIANT:
    case VT_DISPATCH:
        return true;
    default:
        return false;
    }
}

bool IsSupportedResultType(VARTYPE type)
{
    return type == VT_VOID || type == VT_ERROR || type == VT_I4 || type == VT_BSTR;
}

// A parameter's type: the value type, or VT_BYREF and a long for a pointer to one.
bool ParameterType(const TYPEDESC& desc, VARTYPE& type)
{
    if (desc.vt == VT_PTR && desc.lptdesc && desc.lptdesc->vt == VT_I4) {
        type = VT_BYREF | VT_I4;
        return true;
    }
    type = desc.vt;
    return IsSupportedValueType(type);
}

// The caller's argument is missing or has no place for an out value.
bool IsNoPlace(const VARIANT& v)
{
    return v.vt == VT_EMPTY || v.vt == VT_NULL || (v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND);
}

} // namespace

HRESULT CDispatchTable::Load(ITypeInfo* dispatchInfo)
{
    m_members.clear();
    if (!dispatchInfo)
        return E_POINTER;
    TYPEATTR* attributes = nullptr;
    HRESULT hr = dispatchInfo->GetTypeAttr(&attributes);
    if (FAILED(hr))
        return hr;
    const WORD functions = attributes->cFuncs;
    dispatchInfo->ReleaseTypeAttr(attributes);

    std::vector<DispatchMember> members;
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* function = nullptr;
        hr = dispatchInfo->GetFuncDesc(i, &function);
        if (FAILED(hr))
            return hr;
        DispatchMember member{function->memid, {}, function->elemdescFunc.tdesc.vt};
        bool supported = function->invkind == INVOKE_FUNC && IsSupportedResultType(member.result) &&
                         function->cParamsOpt == 0;
        for (SHORT p = 0; supported && p < function->cParams; ++p) {
            VARTYPE type = VT_EMPTY;
            supported = ParameterType(function->lprgelemdescParam[p].tdesc, type);
            member.parameters.push_back(type);
        }
        dispatchInfo->ReleaseFuncDesc(function);
        if (!supported)
            return TYPE_E_UNSUPFORMAT;
        members.push_back(std::move(member));
    }
    m_members = std::move(members);
    return S_OK;
}

const DispatchMember* CDispatchTable::Find(DISPID id) const
{
    auto found = std::find_if(m_members.begin(), m_members.end(), [id](const DispatchMember& m) { return m.id == id; });
    return found == m_members.end() ? nullptr : &*found;
}

CDispatchCall::CDispatchCall(const DispatchMember& member, DISPPARAMS& params)
    : m_member(member), m_params(params), m_values(member.parameters.size())
{
    for (VARIANT& v : m_values)
        VariantInit(&v);
    VariantInit(&m_result);
}

CDispatchCall::~CDispatchCall()
{
    for (VARIANT& v : m_values)
        VariantClear(&v);
    for (IDispatch* dispatch : m_dispatches)
        dispatch->Release();
    VariantClear(&m_result);
}

HRESULT CDispatchCall::Prepare(UINT& argumentError)
{
    for (size_t i = 0; i < m_values.size(); ++i) {
        const UINT block = m_params.cArgs - 1 - static_cast<UINT>(i);
        const VARIANT& given = m_params.rgvarg[block];
        const VARTYPE declared = m_member.parameters[i];
        HRESULT hr = S_OK;
        if (declared & VT_BYREF) {
            // Out values stay in the caller's block; only their form is checked here.
            const VARTYPE form = given.vt;
            const bool placeForLong = form == (VT_BYREF | VT_I4) || form == (VT_BYREF | VT_BOOL) ||
                                      form == (VT_BYREF | VT_VARIANT);
            if (!placeForLong && !IsNoPlace(given))
                hr = DISP_E_TYPEMISMATCH;
        } else {
            VARIANT direct;
            VariantInit(&direct);
            hr = VariantCopyInd(&direct, const_cast<VARIANT*>(&given));
            if (SUCCEEDED(hr)) {
                if (declared == VT_VARIANT) {
                    m_values[i] = direct;
                } else {
                    hr = VariantChangeType(&m_values[i], &direct, 0, declared);
                    VariantClear(&direct);
                }
            }
        }
        if (FAILED(hr)) {
            argumentError = block;
            return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
        }
    }
    return S_OK;
}

std::wstring CDispatchCall::Text(size_t i) const
{
    const BSTR text = m_values[i].bstrVal;
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

IDispatch* CDispatchCall::Dispatch(size_t i)
{
    const VARIANT& v = m_values[i];
    IUnknown* object = nullptr;
    if (v.vt == VT_DISPATCH)
        object = v.pdispVal;
    else if (v.vt == VT_UNKNOWN)
        object = v.punkVal;
    if (!object)
        return nullptr;
    IDispatch* dispatch = nullptr;
    if (FAILED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
        return nullptr;
    m_dispatches.push_back(dispatch);
    return dispatch;
}

bool CDispatchCall::SetOutLong(size_t i, LONG value)
{
    VARIANT& place = m_params.rgvarg[m_params.cArgs - 1 - static_cast<UINT>(i)];
    switch (place.vt) {
    case VT_BYREF | VT_I4:
        if (!place.plVal)
            return false;
        *place.plVal = value;
        return true;
    case VT_BYREF | VT_BOOL:
        if (!place.pboolVal)
            return false;
        *place.pboolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        return true;
    case VT_BYREF | VT_VARIANT:
        if (!place.pvarVal)
            return false;
        VariantClear(place.pvarVal);
        place.pvarVal->vt = VT_I4;
        place.pvarVal->lVal = value;
        return true;
    default:
        return false;
    }
}

void CDispatchCall::ReturnLong(LONG value)
{
    VariantClear(&m_result);
    m_result.vt = VT_I4;
    m_result.lVal = value;
}

void CDispatchCall::ReturnText(const std::wstring& text)
{
    VariantClear(&m_result);
    m_result.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!m_result.bstrVal)
        throw std::bad_alloc();
    m_result.vt = VT_BSTR;
}

HRESULT CDispatchCall::TakeResult(VARIANT* out)
{
    const VARTYPE declared = m_member.result;
    if (!out || declared == VT_VOID)
        return S_OK;
    VariantInit(out);
    if (m_result.vt == VT_EMPTY) {
        out->llVal = 0;  // zero of the declared type: 0, an empty string, S_OK
        out->vt = declared;
        return S_OK;
    }
    if (m_result.vt == declared) {
        *out = m_result;
        VariantInit(&m_result);
        return S_OK;
    }
    return VariantChangeType(out, &m_result, 0, declared);
}

HRESULT DispatchException(EXCEPINFO* info, HRESULT code, const std::wstring& description, const wchar_t* source)
{
    if (info) {
        *info = EXCEPINFO{};
        info->scode = code;
        info->bstrSource = SysAllocString(source ? source : L"");
        info->bstrDescription = SysAllocStringLen(description.data(), static_cast<UINT>(description.size()));
    }
    return DISP_E_EXCEPTION;
}

HRESULT DefaultExceptionResult(EXCEPINFO* info, const wchar_t* source)
{
    try {
        throw;
    } catch (const CDispatchError& error) {
        return DispatchException(info, error.Code(), error.Description(), source);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT InvokeTyped(const CDispatchTable& table, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                    EXCEPINFO* info, UINT* argumentError, const DispatchMemberFunction& member,
                    const ExceptionDescriber& describe)
{
    if (!params)
        return E_INVALIDARG;
    const DispatchMember* found = table.Find(id);
    if (!found || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) ||
        (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)))
        return DISP_E_MEMBERNOTFOUND;
    if (params->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (params->cArgs != found->parameters.size() || (params->cArgs != 0 && !params->rgvarg))
        return DISP_E_BADPARAMCOUNT;
    if (result)
        VariantInit(result);
    try {
        CDispatchCall call(*found, *params);
        UINT failed = 0;
        const HRESULT hr = call.Prepare(failed);
        if (FAILED(hr)) {
            if (argumentError)
                *argumentError = failed;
            return hr;
        }
        member(id, call);
        return call.TakeResult(result);
    } catch (...) {
        return describe ? describe(info) : E_UNEXPECTED;
    }
}
