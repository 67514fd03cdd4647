#include "platform/activex/ComServer.h"

namespace {

volatile LONG g_moduleLocks = 0;

// One class object per request; it keeps the module loaded while COM holds it.
class CClassFactory final : public IClassFactory {
public:
    CClassFactory(const ComServer& server, const ComClass& type) : m_server(server), m_type(type)
    {
        LockServerModule();
    }
    CClassFactory(const CClassFactory&) = delete;
    CClassFactory& operator=(const CClassFactory&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

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
    ~CClassFactory() { UnlockServerModule(); }

    const ComServer& m_server;
    const ComClass& m_type;
    volatile LONG m_refs = 1;
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
    CClassFactory* factory = new (std::nothrow) CClassFactory(server, *type);
    if (!factory)
        return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

HRESULT CanUnloadServer()
{
    return InterlockedCompareExchange(&g_moduleLocks, 0, 0) == 0 ? S_OK : S_FALSE;
}
