#include "motion/codec/DrovelIds.h"

#include <string>

namespace {

std::wstring TypeLibraryBesideModule()
{
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH];
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&TypeLibraryBesideModule), &module)) {
        const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            std::wstring folder(path, length);
            const size_t slash = folder.find_last_of(L"\\/");
            if (slash != std::wstring::npos)
                return folder.substr(0, slash + 1) + L"Drovel.tlb";
        }
    }
    return L"Drovel.tlb";
}

}  // namespace

AutomationIdentity DrovelIdentity()
{
    static const std::wstring file = TypeLibraryBesideModule();
    return {{kDrovelLibraryId, 2, 0, file.c_str()}, kDrovelObjectType, kDrovelDispatchIid, kDrovelEventIid};
}
