#include "motion/codec/test/CodecInstallTestSupport.h"

#include "base/text/TextConversion.h"
#include "motion/codec/CodecFormats.h"

#include <windows.h>
#include <winternl.h>
#include <tlhelp32.h>
#include <vfw.h>

namespace {

constexpr wchar_t kDriversKey[] = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Drivers32";

}  // namespace

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

ScopedCodecInstall::ScopedCodecInstall()
{
    const std::wstring wide = ProgramFolder() + L"DRVL.dll";
    const std::string path = WideToNarrow(wide, CP_ACP);
    if (path.empty() || path.size() >= MAX_PATH)
        return;
    m_installed = ICInstall(ICTYPE_VIDEO, kDrvlFourCC, reinterpret_cast<LPARAM>(path.c_str()), nullptr,
                            ICINSTALL_DRIVER) != FALSE;
}

ScopedCodecInstall::~ScopedCodecInstall()
{
    if (m_installed)
        ICRemove(ICTYPE_VIDEO, kDrvlFourCC, 0);
}

std::wstring InstalledCodecEntry()
{
    UniqueRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriversKey, 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return {};
    wchar_t value[MAX_PATH] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status =
        RegQueryValueExW(key.Get(), L"vidc.DRVL", nullptr, &type, reinterpret_cast<BYTE*>(value), &bytes);
    return status == ERROR_SUCCESS && type == REG_SZ ? std::wstring(value) : std::wstring();
}

std::vector<UniqueKernelHandle> CodecThreads()
{
    std::vector<UniqueKernelHandle> threads;
    const HMODULE codec = GetModuleHandleW(L"DRVL.dll");
    // A failed snapshot is INVALID_HANDLE_VALUE, as for CreateFile.
    const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!codec || !snapshot)
        return threads;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID != GetCurrentProcessId())
            continue;
        UniqueKernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION | SYNCHRONIZE, FALSE, entry.th32ThreadID));
        void* start = nullptr;
        HMODULE module = nullptr;
        if (thread &&
            NtQueryInformationThread(thread.Get(), ThreadQuerySetWin32StartAddress, &start, sizeof(start), nullptr) == 0 &&
            GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                               static_cast<LPCWSTR>(start), &module) &&
            module == codec)
            threads.push_back(std::move(thread));
    }
    return threads;
}
