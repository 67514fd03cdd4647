#include "provider/app/ProgramRegistryKey.h"

#include <windows.h>

#include "base/win/UniqueHandle.h"
#include "platform/ui/Module.h"

std::wstring ProgramRegistryPath(const std::wstring& key)
{
    std::wstring program = CurrentModulePath();
    program.erase(0, program.find_last_of(L"\\/") + 1);
    const size_t dot = program.find_last_of(L'.');
    if (dot != std::wstring::npos)
        program.resize(dot);
    return L"Software\\" + key + L"\\" + program;
}

bool SetRegistryKey(const std::wstring& key)
{
    UniqueRegistryKey created;
    return RegCreateKeyExW(HKEY_CURRENT_USER, ProgramRegistryPath(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_WRITE, nullptr, created.Put(), nullptr) == ERROR_SUCCESS;
}
