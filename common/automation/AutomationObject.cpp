#include "common/automation/AutomationObject.h"

#include "base/com/ComBoundary.h"

#include <olectl.h>

namespace {

// The one connection a point accepts always gets this cookie.
constexpr DWORD kSinkCookie = 1;

}  // namespace

CAutomationObject::CAutomationObject(const AutomationIdentity& identity, LogSink log)
    : m_identity(identity), m_log(std::move(log))
{
    // The dispatch interface's information resolves member names; a missing
    // library leaves the object without it (and logged).
    LoadTypeInfo(m_identity.library, m_identity.dispatchIid, 0, m_dispatchInfo.Put(), m_log);
}

void* CAutomationObject::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, m_identity.dispatchIid))
        return static_cast<IDispatch*>(this);
    return ComObject::FindInterface(iid);
}

STDMETHODIMP CAutomationObject::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = m_dispatchInfo.Get();
    if (!*info)
        return TYPE_E_CANTLOADLIBRARY;
    (*info)->AddRef();
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!IsEqualIID(iid, IID_NULL))
        return E_INVALIDARG;
    if (!m_dispatchInfo)
        return TYPE_E_CANTLOADLIBRARY;
    return m_dispatchInfo->GetIDsOfNames(names, count, ids);
}

HRESULT CAutomationObject::LoadObjectTypeInfo(ITypeInfo** info) const
{
    // Called by COM methods: a log line that cannot be written must not
    // throw out of them.
    if (info)
        *info = nullptr;
    return ComBoundary([&] { return LoadTypeInfo(m_identity.library, m_identity.objectType, 0, info, m_log); });
}

STDMETHODIMP CAutomationObject::GetClassInfo(ITypeInfo** info)
{
    return LoadObjectTypeInfo(info);
}

// The source interface reported is the one the connection point serves, so
// an engine that connects through it finds the point.
STDMETHODIMP CAutomationObject::GetGUID(DWORD kind, GUID* guid)
{
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    if (!guid)
        return E_POINTER;
    *guid = m_identity.eventIid;
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetMultiTypeInfoCount(ULONG* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetInfoOfIndex(ULONG index, DWORD flags, ITypeInfo** info, DWORD* typeFlags,
                                               ULONG* reservedIds, IID* primaryIid, IID* sourceIid)
{
    if (index != 0)
        return E_INVALIDARG;
    if (((flags & MULTICLASSINFO_GETTYPEINFO) && !info) ||
        ((flags & MULTICLASSINFO_GETNUMRESERVEDDISPIDS) && (!typeFlags || !reservedIds)) ||
        ((flags & MULTICLASSINFO_GETIIDPRIMARY) && !primaryIid) ||
        ((flags & MULTICLASSINFO_GETIIDSOURCE) && !sourceIid))
        return E_POINTER;
    if (flags & MULTICLASSINFO_GETTYPEINFO)
        LoadObjectTypeInfo(info);   // a missing library leaves it null
    if (flags & MULTICLASSINFO_GETNUMRESERVEDDISPIDS) {
        *typeFlags = 0;
        *reservedIds = 0;
    }
    if (flags & MULTICLASSINFO_GETIIDPRIMARY)
        *primaryIid = m_identity.dispatchIid;
    if (flags & MULTICLASSINFO_GETIIDSOURCE)
        *sourceIid = m_identity.eventIid;
    return S_OK;
}

STDMETHODIMP CAutomationObject::EnumConnectionPoints(IEnumConnectionPoints**)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAutomationObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    if (!IsEqualIID(iid, m_identity.eventIid)) {
        *point = nullptr;
        return CONNECT_E_NOCONNECTION;
    }
    *point = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = m_identity.eventIid;
    return S_OK;
}

STDMETHODIMP CAutomationObject::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP CAutomationObject::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    if (m_sink)
        return CONNECT_E_ADVISELIMIT;
    RefPtr<IUnknown> events;
    if (FAILED(sink->QueryInterface(m_identity.eventIid, reinterpret_cast<void**>(events.Put()))) || !events)
        return CONNECT_E_CANNOTCONNECT;
    m_sink = std::move(events);
    *cookie = kSinkCookie;
    return S_OK;
}

STDMETHODIMP CAutomationObject::Unadvise(DWORD cookie)
{
    if (cookie != kSinkCookie || !m_sink)
        return CONNECT_E_NOCONNECTION;
    m_sink.Reset();
    return S_OK;
}

STDMETHODIMP CAutomationObject::EnumConnections(IEnumConnections**)
{
    return E_NOTIMPL;
}
