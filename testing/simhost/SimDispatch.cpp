#include "testing/simhost/SimDispatch.h"

#include <new>

#include "testing/simhost/SimHost.h"

namespace {

// Answers QueryInterface with the CSimObject itself; never leaves the process.
// {5B0C52E3-6A53-4C36-9A43-2B6E4D0F8C11}
const IID IID_SimObject = {0x5b0c52e3, 0x6a53, 0x4c36, {0x9a, 0x43, 0x2b, 0x6e, 0x4d, 0x0f, 0x8c, 0x11}};

bool SameName(const std::wstring& a, const wchar_t* b)
{
    return b && CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

const wchar_t* KindName(SimKind kind)
{
    switch (kind) {
    case SimKind::Get: return L"get";
    case SimKind::Put: return L"put";
    default: return L"method";
    }
}

void FillException(EXCEPINFO* exception, const std::wstring& text, HRESULT code)
{
    if (!exception)
        return;
    *exception = EXCEPINFO{};
    exception->bstrSource = SysAllocString(L"Lyric");
    exception->bstrDescription = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    exception->scode = code;
}

} // namespace

CSimClass::CSimClass(std::wstring name, std::vector<SimMember> members)
    : m_name(std::move(name)), m_members(std::move(members))
{
    for (const SimMember& member : m_members)
        if (IdOf(member.name.c_str()) == DISPID_UNKNOWN)
            m_names.push_back(member.name);
}

DISPID CSimClass::IdOf(const wchar_t* name) const
{
    for (size_t i = 0; i < m_names.size(); ++i)
        if (SameName(m_names[i], name))
            return static_cast<DISPID>(i + 1);
    return DISPID_UNKNOWN;
}

const std::wstring* CSimClass::NameOf(DISPID id) const
{
    if (id < 1 || static_cast<size_t>(id) > m_names.size())
        return nullptr;
    return &m_names[id - 1];
}

const SimMember* CSimClass::Find(DISPID id, SimKind kind) const
{
    const std::wstring* name = NameOf(id);
    if (!name)
        return nullptr;
    for (const SimMember& member : m_members)
        if (member.kind == kind && member.name == *name)
            return &member;
    return nullptr;
}

CSimCall::CSimCall(CSimHost& host, const DISPPARAMS& params, VARIANT* result)
    : m_host(host), m_params(params), m_count(params.cArgs), m_result(result)
{
    VariantInit(&m_discarded);
}

std::wstring CSimCall::String(size_t i) const
{
    const BSTR b = Argument(i).bstrVal;
    return std::wstring(b ? b : L"", SysStringLen(b));
}

VARIANT* CSimCall::Result()
{
    VARIANT* target = m_result ? m_result : &m_discarded;
    VariantClear(target);
    return target;
}

void CSimCall::ReturnLong(long value)
{
    VARIANT* r = Result();
    r->vt = VT_I4;
    r->lVal = value;
}

void CSimCall::ReturnBool(bool value)
{
    VARIANT* r = Result();
    r->vt = VT_BOOL;
    r->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void CSimCall::ReturnChar(char value)
{
    VARIANT* r = Result();
    r->vt = VT_I1;
    r->cVal = value;
}

void CSimCall::ReturnDouble(double value)
{
    VARIANT* r = Result();
    r->vt = VT_R8;
    r->dblVal = value;
}

void CSimCall::ReturnString(const std::wstring& text)
{
    BSTR b = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!b)
        throw std::bad_alloc();
    VARIANT* r = Result();
    r->vt = VT_BSTR;
    r->bstrVal = b;
}

void CSimCall::ReturnObject(CSimObject* object)
{
    VARIANT* r = Result();
    r->vt = VT_DISPATCH;
    r->pdispVal = object;
    if (object)
        object->AddRef();
}

void CSimCall::ReturnEmpty()
{
    Result();
}

void CSimCall::ReturnNull()
{
    Result()->vt = VT_NULL;
}

void CSimCall::ReturnValue(const CSimValue& value)
{
    if (FAILED(value.CopyTo(Result())))
        throw std::bad_alloc();
}

void CSimCall::ReturnArray(VARTYPE elementType, SAFEARRAY* array)
{
    VARIANT* r = Result();
    r->vt = VT_ARRAY | elementType;
    r->parray = array;
}

CSimObject::CSimObject(CSimHost& host, const CSimClass& type) : m_host(&host), m_class(type) {}

CSimObject* CSimObject::FromDispatch(IUnknown* object)
{
    if (!object)
        return nullptr;
    CSimObject* ours = nullptr;
    if (FAILED(object->QueryInterface(IID_SimObject, reinterpret_cast<void**>(&ours))) || !ours)
        return nullptr;
    ours->Release(); // the caller's own reference keeps it alive
    return ours;
}

void* CSimObject::FindInterface(REFIID riid)
{
    if (riid == IID_SimObject)
        return static_cast<IDispatch*>(this);
    return ComObject::FindInterface(riid);
}

STDMETHODIMP CSimObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CSimObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CSimObject::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids || count == 0)
        return E_INVALIDARG;
    if (!m_host)
        return RPC_E_DISCONNECTED;
    try {
        // Named arguments are not part of this host's model: only the member name resolves.
        for (UINT i = 1; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        const std::wstring name = names[0] ? names[0] : L"";
        m_host->RecordLookup(m_class.Name(), name);
        const DISPID id = m_host->IsRemoved(m_class.Name(), name) ? DISPID_UNKNOWN : m_class.IdOf(name.c_str());
        ids[0] = id;
        return id == DISPID_UNKNOWN || count > 1 ? DISP_E_UNKNOWNNAME : S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP CSimObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO* exception, UINT* argumentError)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!params)
        return E_INVALIDARG;
    if (!m_host)
        return RPC_E_DISCONNECTED;
    // Nothing may leave this method as an exception.
    try {
        return InvokeChecked(id, flags, params, result, exception, argumentError);
    } catch (const CSimHostError& error) {
        FillException(exception, error.Text(), error.Code());
        return DISP_E_EXCEPTION;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT CSimObject::InvokeChecked(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                  EXCEPINFO* exception, UINT* argumentError)
{
    CSimHost& host = *m_host;
    const std::wstring* name = m_class.NameOf(id);
    if (!name || host.IsRemoved(m_class.Name(), *name))
        return host.Reject(m_class.Name(), L"unknown member", DISP_E_MEMBERNOTFOUND);

    SimKind kind;
    switch (flags) {
    case DISPATCH_PROPERTYGET: kind = SimKind::Get; break;
    case DISPATCH_PROPERTYPUT: kind = SimKind::Put; break;
    case DISPATCH_METHOD: kind = SimKind::Method; break;
    default: return host.Reject(m_class.Name(), *name + L": unexpected call flags", DISP_E_MEMBERNOTFOUND);
    }
    const SimMember* member = m_class.Find(id, kind);
    if (!member)
        return host.Reject(m_class.Name(), *name + L": no " + KindName(kind), DISP_E_MEMBERNOTFOUND);

    const bool isPut = kind == SimKind::Put;
    if (isPut && (params->cNamedArgs != 1 || !params->rgdispidNamedArgs ||
                  params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT))
        return host.Reject(m_class.Name(), *name + L": put without DISPID_PROPERTYPUT", DISP_E_PARAMNOTOPTIONAL);
    if (!isPut && params->cNamedArgs != 0)
        return host.Reject(m_class.Name(), *name + L": named arguments", DISP_E_NONAMEDARGS);
    if (params->cArgs != member->arguments.size() || (params->cArgs && !params->rgvarg))
        return host.Reject(m_class.Name(), *name + L": wrong argument count", DISP_E_BADPARAMCOUNT);
    for (size_t i = 0; i < member->arguments.size(); ++i) {
        const VARTYPE expected = member->arguments[i];
        const size_t slot = params->cArgs - 1 - i;
        if (expected != VT_VARIANT && params->rgvarg[slot].vt != expected) {
            if (argumentError)
                *argumentError = static_cast<UINT>(slot);
            return host.Reject(m_class.Name(), *name + L": wrong argument type", DISP_E_TYPEMISMATCH);
        }
    }

    CSimCall call(host, *params, result);
    host.RecordCall(m_class.Name(), *name, kind, call);
    if (const SimInjectedError* error = host.InjectedError(m_class.Name(), *name)) {
        FillException(exception, error->text, error->code);
        return DISP_E_EXCEPTION;
    }
    if (result)
        VariantInit(result);
    member->handler(*this, call);
    // A handler that answers with another type than its table says is a fault of this host.
    if (result && member->result != VT_VARIANT && result->vt != member->result &&
        !(member->result == VT_DISPATCH && (result->vt == VT_EMPTY || result->vt == VT_NULL))) {
        VariantClear(result);
        return host.Reject(m_class.Name(), *name + L": answer of the wrong type", E_UNEXPECTED);
    }
    return S_OK;
}
