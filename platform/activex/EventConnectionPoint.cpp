#include "platform/activex/EventConnectionPoint.h"

#include <olectl.h>

#include <algorithm>

#include "base/com/ComBoundary.h"

STDMETHODIMP CEventConnectionPoint::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IConnectionPoint)) {
        *object = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CEventConnectionPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = m_eventIid;
    return S_OK;
}

STDMETHODIMP CEventConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = &m_owner;
    m_owner.AddRef();
    return S_OK;
}

STDMETHODIMP CEventConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    RefPtr<IUnknown> events;
    // A sink of the event interface, or any dispatch sink (event interfaces are dispinterfaces).
    if (FAILED(sink->QueryInterface(m_eventIid, reinterpret_cast<void**>(events.Put()))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(events.Put()))))
        return CONNECT_E_CANNOTCONNECT;
    return ComBoundary([&] {
        m_sinks.emplace_back(m_nextCookie, std::move(events));
        *cookie = m_nextCookie++;
        return S_OK;
    });
}

STDMETHODIMP CEventConnectionPoint::Unadvise(DWORD cookie)
{
    auto found = std::find_if(m_sinks.begin(), m_sinks.end(), [cookie](const auto& s) { return s.first == cookie; });
    if (found == m_sinks.end())
        return CONNECT_E_NOCONNECTION;
    m_sinks.erase(found);
    return S_OK;
}

STDMETHODIMP CEventConnectionPoint::EnumConnections(IEnumConnections** connections)
{
    if (connections)
        *connections = nullptr;
    return E_NOTIMPL;
}
