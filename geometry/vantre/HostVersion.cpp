#include "geometry/vantre/VantreModule.h"

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "base/text/WideFormat.h"

namespace {

constexpr int kLowestVersion = 100;    // exclusive
constexpr int kHighestVersion = 3000;  // exclusive

}  // namespace

int ReadHostVersion()
{
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0)
        return 0;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(path, 0, size, block.data()))
        return 0;

    struct Translation {
        WORD language, codePage;
    };
    Translation* translations = nullptr;
    UINT translationBytes = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &translationBytes) ||
        translationBytes < sizeof(Translation))
        return 0;
    const std::wstring query = FormatWide(L"\\StringFileInfo\\%04x%04x\\Comments", translations[0].language,
                                          translations[0].codePage);
    wchar_t* comments = nullptr;
    UINT commentsLength = 0;
    if (!VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&comments), &commentsLength) || !comments)
        return 0;

    const std::wstring text(comments, wcsnlen(comments, commentsLength));
    const size_t space = text.find_last_of(L' ');
    const std::wstring number = space == std::wstring::npos ? text : text.substr(space + 1);
    const int version = _wtoi(number.c_str());
    if (version <= kLowestVersion || version >= kHighestVersion)
        return 0;
    return version == 1400 ? 1408 : version;
}
