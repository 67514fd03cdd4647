#include "platform/activex/ServerRegistration.h"

#include <oleauto.h>
#include <olectl.h>

#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"
#include "platform/ui/Module.h"

namespace {

// Creates the key below HKEY_CLASSES_ROOT and sets its default value (and
// one named value when given).
bool WriteKey(const std::wstring& path, const std::wstring& value, const wchar_t* name = nullptr,
              const std::wstring& namedValue = {})
{
    UniqueRegistryKey key;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                        nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        return false;
    auto set = [&key](const wchar_t* valueName, const std::wstring& text) {
        const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) ==
               ERROR_SUCCESS;
    };
    return set(nullptr, value) && (!name || set(name, namedValue));
}

bool DeleteTree(const std::wstring& path)
{
    const LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool RegisterClassKeys(const ComServer& server, const ComClass& type, const std::wstring& modulePath)
{
    const std::wstring clsid = RegistryGuidString(type.clsid);
    const std::wstring key = L"CLSID\\" + clsid;
    if (!WriteKey(key, type.name) || !WriteKey(key + L"\\InprocServer32", modulePath, L"ThreadingModel", L"Apartment"))
        return false;
    if (type.progId) {
        if (!WriteKey(key + L"\\ProgID", type.progId) || !WriteKey(type.progId, type.name) ||
            !WriteKey(std::wstring(type.progId) + L"\\CLSID", clsid))
            return false;
    }
    if (type.control) {
        if (!WriteKey(key + L"\\Control", L"") || !WriteKey(key + L"\\MiscStatus", L"0") ||
            !WriteKey(key + L"\\MiscStatus\\1", std::to_wstring(type.control->miscStatus)))
            return false;
        if (server.typeLibrary) {
            const TypeLibraryId& library = *server.typeLibrary;
            if (!WriteKey(key + L"\\TypeLib", RegistryGuidString(library.id)) ||
                !WriteKey(key + L"\\Version", std::to_wstring(library.major) + L"." + std::to_wstring(library.minor)))
                return false;
        }
    }
    return true;
}

bool UnregisterClassKeys(const ComClass& type)
{
    const bool classGone = DeleteTree(L"CLSID\\" + RegistryGuidString(type.clsid));
    return (!type.progId || DeleteTree(type.progId)) && classGone;
}

HRESULT RegisterModuleTypeLibrary(const std::wstring& modulePath)
{
    // REGKIND_NONE, then an explicit registration under the full path.
    RefPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library.Put());
    if (SUCCEEDED(hr))
        hr = RegisterTypeLib(library.Get(), const_cast<LPOLESTR>(modulePath.c_str()), nullptr);
    return hr;
}

bool IsTypeLibraryRegistered(const TypeLibraryId& library)
{
    const std::wstring path = L"TypeLib\\" + RegistryGuidString(library.id) + L"\\" + std::to_wstring(library.major) +
                              L"." + std::to_wstring(library.minor);
    UniqueRegistryKey key;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, key.Put()) == ERROR_SUCCESS;
}

} // namespace

std::wstring RegistryGuidString(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, static_cast<int>(sizeof text / sizeof text[0]));
    return text;
}

HRESULT RegisterServer(const ComServer& server)
{
    const std::wstring modulePath = CurrentModulePath();
    if (modulePath.empty())
        return SELFREG_E_CLASS;
    if (server.typeLibrary && FAILED(RegisterModuleTypeLibrary(modulePath)))
        return SELFREG_E_TYPELIB;
    for (const ComClass& type : server.classes)
        if (!RegisterClassKeys(server, type, modulePath))
            return SELFREG_E_CLASS;
    return S_OK;
}

HRESULT UnregisterServer(const ComServer& server)
{
    if (server.typeLibrary && IsTypeLibraryRegistered(*server.typeLibrary)) {
        const TypeLibraryId& library = *server.typeLibrary;
        if (FAILED(UnRegisterTypeLib(library.id, library.major, library.minor, LANG_NEUTRAL, SYS_WIN32)))
            return SELFREG_E_TYPELIB;
    }
    bool removed = true;
    for (const ComClass& type : server.classes)
        removed = UnregisterClassKeys(type) && removed;
    return removed ? S_OK : SELFREG_E_CLASS;
}
