#include "testing/comreg/ServerRegistrationTestSupport.h"

#include "base/win/UniqueHandle.h"

namespace {

constexpr DWORD kRegsvr32Limit = 60000;  // ms; under an emulator a start takes seconds

} // namespace

std::wstring TestModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool RunRegsvr32(const std::wstring& modulePath, bool unregister, DWORD& exitCode)
{
    exitCode = static_cast<DWORD>(-1);
    std::wstring commandLine = std::wstring(L"regsvr32.exe /s ") + (unregister ? L"/u " : L"") + L"\"" + modulePath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    UniqueKernelHandle processHandle(process.hProcess);
    CloseHandle(process.hThread);
    if (WaitForSingleObject(processHandle.Get(), kRegsvr32Limit) != WAIT_OBJECT_0) {
        TerminateProcess(processHandle.Get(), 1);
        WaitForSingleObject(processHandle.Get(), kRegsvr32Limit);
        return false;
    }
    return GetExitCodeProcess(processHandle.Get(), &exitCode) != FALSE;
}

bool ReadClassesString(const std::wstring& key, const wchar_t* value, std::wstring& text)
{
    UniqueRegistryKey owner;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_QUERY_VALUE, owner.Put()) != ERROR_SUCCESS)
        return false;
    DWORD type = 0;
    DWORD bytes = 0;
    const wchar_t* name = value && *value ? value : nullptr;
    if (RegQueryValueExW(owner.Get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ)
        return false;
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(owner.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &bytes) != ERROR_SUCCESS)
        return false;
    buffer.resize(bytes / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0')
        buffer.pop_back();
    text = buffer;
    return true;
}

bool ClassesKeyExists(const std::wstring& key)
{
    UniqueRegistryKey owner;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, owner.Put()) == ERROR_SUCCESS;
}

CScopedServerRegistration::CScopedServerRegistration(const std::wstring& modulePath) : m_path(modulePath)
{
    m_result = Call("DllRegisterServer");
}

CScopedServerRegistration::~CScopedServerRegistration()
{
    Call("DllUnregisterServer");
}

HRESULT CScopedServerRegistration::Call(const char* exportName)
{
    UniqueModule module(LoadLibraryExW(m_path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!module)
        return HRESULT_FROM_WIN32(GetLastError());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module.Get(), exportName)));
    return entry ? entry() : E_NOINTERFACE;
}
