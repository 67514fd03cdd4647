#pragma once
// An in-process COM server: the classes one module makes, its type library,
// the module's lock count and the class objects handed to COM. A module
// describes itself once (a ComServer) and its four exports forward here.

#include <windows.h>
#include <objbase.h>

#include <new>
#include <optional>
#include <vector>

#include "base/com/RefPtr.h"

struct ComServer;
struct ComClass;

struct TypeLibraryId {
    GUID id;
    WORD major;
    WORD minor;
};

// What only an ActiveX control class has.
struct ControlTraits {
    DWORD miscStatus;
    IID dispatchIid;
    IID eventIid;
    std::vector<CLSID> propertyPages;
};

// Makes one new object of the class and asks it for `iid`.
using ComCreateFunction = HRESULT (*)(const ComServer& server, const ComClass& type, REFIID iid, void** object);

struct ComClass {
    CLSID clsid;
    const wchar_t* progId;  // null: registered without one
    const wchar_t* name;    // the class's readable name in the registry
    ComCreateFunction create;
    std::optional<ControlTraits> control;
};

struct ComServer {
    std::optional<TypeLibraryId> typeLibrary;  // embedded as resource TYPELIB 1
    std::vector<ComClass> classes;

    const ComClass* Find(REFCLSID clsid) const;
};

// Every live object of the module and every LockServer(TRUE) holds one lock.
void LockServerModule();
void UnlockServerModule();

// The lock of one live object, for its lifetime.
class ServerModuleLock {
public:
    ServerModuleLock() { LockServerModule(); }
    ~ServerModuleLock() { UnlockServerModule(); }
    ServerModuleLock(const ServerModuleLock&) = delete;
    ServerModuleLock& operator=(const ServerModuleLock&) = delete;
};

// The bodies of DllGetClassObject and DllCanUnloadNow.
HRESULT GetServerClassObject(const ComServer& server, REFCLSID clsid, REFIID iid, void** object);
HRESULT CanUnloadServer();

// A ComCreateFunction for a class whose constructor takes (server, type).
// The object starts with one reference, which this call gives back.
template <typename TObject>
HRESULT CreateComObject(const ComServer& server, const ComClass& type, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const RefPtr<TObject> created = RefPtr<TObject>::Adopt(new (std::nothrow) TObject(server, type));
    if (!created)
        return E_OUTOFMEMORY;
    const HRESULT hr = created->FinalConstruct();
    return FAILED(hr) ? hr : created->QueryInterface(iid, object);
}
