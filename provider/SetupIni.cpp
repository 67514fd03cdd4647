#include "provider/SetupIni.h"

#include <windows.h>

#include <vector>

namespace {

std::wstring& FolderOverride()
{
    static std::wstring folder;
    return folder;
}

std::wstring ModuleFolder()
{
    std::vector<wchar_t> path(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L"\\/") + 1);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::wstring GetProgramFolder()
{
    const std::wstring& folder = FolderOverride();
    return folder.empty() ? ModuleFolder() : folder;
}

void SetProgramFolder(const std::wstring& folder)
{
    std::wstring& kept = FolderOverride();
    kept = folder;
    if (!kept.empty() && kept.back() != L'\\' && kept.back() != L'/')
        kept += L'\\';
}

std::wstring GetSetupIniPath()
{
    return GetProgramFolder() + L"Setup.ini";
}

int GetSetupInt(const wchar_t* section, const wchar_t* key, int defaultValue)
{
    return static_cast<int>(GetPrivateProfileIntW(section, key, defaultValue, GetSetupIniPath().c_str()));
}

bool SetSetupInt(const wchar_t* section, const wchar_t* key, int value)
{
    return SetSetupString(section, key, std::to_wstring(value));
}

std::wstring GetSetupString(const wchar_t* section, const wchar_t* key, const std::wstring& defaultValue)
{
    wchar_t value[kMaxProgramPath + 1] = {};
    const DWORD length = GetPrivateProfileStringW(section, key, defaultValue.c_str(), value,
                                                  static_cast<DWORD>(kMaxProgramPath + 1),
                                                  GetSetupIniPath().c_str());
    return std::wstring(value, length);
}

bool SetSetupString(const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    return WritePrivateProfileStringW(section, key, value.c_str(), GetSetupIniPath().c_str()) != FALSE;
}

std::wstring GetStartupScriptPath()
{
    return GetSetupString(kSetupSection, kStartupScriptKey, GetProgramFolder() + L"Scrivane.vbs");
}
