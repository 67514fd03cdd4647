#pragma once
// Base of the hand-made script-visible objects: one reference count shared by
// four interface parts (the object's IDispatch, its class information and a
// connection-point container with one connection point that holds one sink).
// The derived object supplies Invoke; everything else lives here.

#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>

#include <atomic>

#include "common/automation/TypeInfoLoader.h"
#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"

class CXmlNode;

// The identifiers one object answers with.
struct AutomationIdentity {
    TypeLibraryRef library;
    GUID objectType;    // the coclass: class information and the engine's item info
    GUID dispatchIid;   // the object's own dispatch interface
    GUID eventIid;      // the interface its connection point serves
};

class CAutomationObject
    : public ComObject<IDispatch, IProvideMultipleClassInfo, IConnectionPointContainer, IConnectionPoint> {
public:
    CAutomationObject(const AutomationIdentity& identity, LogSink log);

    // IDispatch (Invoke is the derived object's).
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;

    // IProvideClassInfo, IProvideClassInfo2, IProvideMultipleClassInfo.
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;
    STDMETHODIMP GetMultiTypeInfoCount(ULONG* count) override;
    STDMETHODIMP GetInfoOfIndex(ULONG index, DWORD flags, ITypeInfo** info, DWORD* typeFlags,
                                ULONG* reservedIds, IID* primaryIid, IID* sourceIid) override;

    // IConnectionPointContainer.
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // IConnectionPoint.
    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

    // Hooks of the script engine host.
    virtual void NotifyScriptObject() {}
    virtual void SetResultTree(CXmlNode* /*root*/) {}
    // The host's watchdog stops a script that outlasts its time: from then on
    // the object refuses the script's calls. Any thread may call it.
    void StopCalls() { m_callsStopped = true; }
    bool CallsStopped() const { return m_callsStopped; }

    // The object's class type information, freshly loaded (one reference).
    HRESULT LoadObjectTypeInfo(ITypeInfo** info) const;

protected:
    ~CAutomationObject() override = default;

private:
    // The object's own dispatch interface, besides the listed ones.
    void* FindInterface(REFIID iid) override;

    const AutomationIdentity m_identity;
    const LogSink m_log;
    RefPtr<ITypeInfo> m_dispatchInfo;   // null when the library could not be loaded
    RefPtr<IUnknown> m_sink;            // held as the event interface
    std::atomic<bool> m_callsStopped{false};
};
