#pragma once
// Self-registration of an in-process server: its type library from the
// module's own file, then every class (CLSID with InprocServer32 and an
// apartment threading model, ProgID, and for controls Control, MiscStatus,
// TypeLib and Version), all under HKEY_CLASSES_ROOT.

#include "platform/activex/ComServer.h"

#include <string>

// S_OK; SELFREG_E_TYPELIB when the type library fails, SELFREG_E_CLASS when a
// class key cannot be written.
HRESULT RegisterServer(const ComServer& server);
// Removing what is not there is no failure.
HRESULT UnregisterServer(const ComServer& server);

// "{8DDC23E1-...}", the registry's form of a GUID.
std::wstring RegistryGuidString(REFGUID guid);
