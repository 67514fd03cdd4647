#include "platform/activex/ComServer.h"

#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"

namespace {

volatile LONG g_moduleLocks = 0;

// One class object per request; it keeps the module loaded while COM holds it.
class CClassFactory final : public ComObject<IClassFactory> {
public:
    CClassFactory(const ComServer& server, const ComClass& type) : m_server(server), m_type(type) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return m_type.create(m_server, m_type, iid, object);
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            LockServerModule();
        else
            UnlockServerModule();
        return S_OK;
    }

private:
    const ServerModuleLock m_moduleLock;
    const ComServer& m_server;
    const ComClass& m_type;
};

} // namespace

const ComClass* ComServer::Find(REFCLSID clsid) const
{
    for (const ComClass& type : classes)
        if (IsEqualCLSID(type.clsid, clsid))
            return &type;
    return nullptr;
}

void LockServerModule()
{
    InterlockedIncrement(&g_moduleLocks);
}

void UnlockServerModule()
{
    InterlockedDecrement(&g_moduleLocks);
}

HRESULT GetServerClassObject(const ComServer& server, REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const ComClass* type = server.Find(clsid);
    if (!type)
        return CLASS_E_CLASSNOTAVAILABLE;
    const RefPtr<CClassFactory> factory = RefPtr<CClassFactory>::Adopt(new (std::nothrow) CClassFactory(server, *type));
    if (!factory)
        return E_OUTOFMEMORY;
    return factory->QueryInterface(iid, object);
}

HRESULT CanUnloadServer()
{
    return InterlockedCompareExchange(&g_moduleLocks, 0, 0) == 0 ? S_OK : S_FALSE;
}
