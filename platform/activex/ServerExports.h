#pragma once
// The four exports of an in-process server module, each handed to the layer
// with the module's one ComServer. A module writes, once:
//
//     IMPLEMENT_SERVER_EXPORTS(PlotvaneServer())
//
// and lists the names in its .def (stdcall names need their aliases there).

#include "platform/activex/ComServer.h"
#include "platform/activex/ServerRegistration.h"

#define IMPLEMENT_SERVER_EXPORTS(server)                                                                    \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)                                     \
    {                                                                                                       \
        return GetServerClassObject((server), clsid, iid, object);                                         \
    }                                                                                                       \
    STDAPI DllCanUnloadNow() { return CanUnloadServer(); }                                                  \
    STDAPI DllRegisterServer() { return RegisterServer(server); }                                           \
    STDAPI DllUnregisterServer() { return UnregisterServer(server); }
