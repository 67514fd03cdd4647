#include "chartcontrol/ModulePath.h"

#include <windows.h>

namespace {

// Module paths can exceed MAX_PATH; 32767 is the longest a Windows path gets.
constexpr DWORD kLongestPath = 32768;

bool GetModulePath(HMODULE module, std::wstring& path)
{
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD length = GetModuleFileNameW(module, &buffer[0], size);
        if (length == 0)
            return false;
        if (length < size) {
            buffer.resize(length);
            path = std::move(buffer);
            return true;
        }
    }
    return false;
}

}  // namespace

bool ExpandToLongPath(const std::wstring& path, std::wstring& longPath)
{
    const DWORD needed = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return false;
    std::wstring buffer(needed, L'\0');
    const DWORD length = GetLongPathNameW(path.c_str(), &buffer[0], needed);
    if (length == 0 || length >= needed)
        return false;
    buffer.resize(length);
    longPath = std::move(buffer);
    return true;
}

bool GetOcxPath(std::wstring& path)
{
    // The module that holds this function, so the answer is the control's
    // DLL when it is loaded by a host, not the host's EXE.
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&GetOcxPath), &module))
        return false;
    std::wstring modulePath;
    return GetModulePath(module, modulePath) && ExpandToLongPath(modulePath, path);
}

bool GetOcxSiblingPath(const wchar_t* fileName, std::wstring& path)
{
    std::wstring modulePath;
    if (!GetOcxPath(modulePath))
        return false;
    const size_t slash = modulePath.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return false;
    modulePath.resize(slash + 1);
    path = modulePath + fileName;
    return true;
}
