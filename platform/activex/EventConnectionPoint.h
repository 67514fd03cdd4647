#pragma once
// The connection point of a control's event interface, a part of the
// control (it shares the control's reference count). It keeps the sinks that
// advise until they unadvise; the controls of this system fire no events.

#include <windows.h>
#include <ocidl.h>

#include <utility>
#include <vector>

#include "base/com/RefPtr.h"

class CEventConnectionPoint final : public IConnectionPoint {
public:
    CEventConnectionPoint(IConnectionPointContainer& owner, const IID& eventIid) : m_owner(owner), m_eventIid(eventIid) {}
    CEventConnectionPoint(const CEventConnectionPoint&) = delete;
    CEventConnectionPoint& operator=(const CEventConnectionPoint&) = delete;

    const IID& EventIid() const { return m_eventIid; }

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner.Release(); }

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

private:
    IConnectionPointContainer& m_owner;
    const IID m_eventIid;
    std::vector<std::pair<DWORD, RefPtr<IUnknown>>> m_sinks;
    DWORD m_nextCookie = 1;
};
