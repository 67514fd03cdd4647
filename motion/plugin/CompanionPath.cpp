#include "motion/plugin/CompanionPath.h"

#include <cstdlib>
#include <cwchar>

namespace {

constexpr wchar_t kSuffix[] = L"_Drovel";
constexpr size_t kSuffixChars = sizeof(kSuffix) / sizeof(kSuffix[0]) - 1;

struct PathParts {
    wchar_t drive[_MAX_DRIVE];
    wchar_t dir[_MAX_DIR];
    wchar_t name[_MAX_FNAME];
    wchar_t ext[_MAX_EXT];
};

bool Split(const wchar_t* path, PathParts& parts)
{
    return _wsplitpath_s(path, parts.drive, _MAX_DRIVE, parts.dir, _MAX_DIR, parts.name,
                         _MAX_FNAME, parts.ext, _MAX_EXT) == 0;
}

} // namespace

bool MakeCompanionPath(const wchar_t* sourcePath, wchar_t (&companion)[MAX_PATH])
{
    companion[0] = L'\0';
    PathParts parts;
    if (!sourcePath || !Split(sourcePath, parts))
        return false;
    const std::wstring name = parts.name + std::wstring(kSuffix);
    if (name.size() >= _MAX_FNAME)
        return false;
    if (_wmakepath_s(companion, MAX_PATH, parts.drive, parts.dir, name.c_str(), parts.ext) != 0) {
        companion[0] = L'\0';
        return false;
    }
    return true;
}

bool SourcePathOfCompanion(const std::wstring& companionPath, std::wstring& sourcePath)
{
    PathParts parts;
    if (!Split(companionPath.c_str(), parts))
        return false;
    const size_t nameChars = wcslen(parts.name);
    if (nameChars <= kSuffixChars || wcscmp(parts.name + nameChars - kSuffixChars, kSuffix) != 0)
        return false;
    parts.name[nameChars - kSuffixChars] = L'\0';
    wchar_t joined[MAX_PATH];
    if (_wmakepath_s(joined, MAX_PATH, parts.drive, parts.dir, parts.name, parts.ext) != 0)
        return false;
    sourcePath = joined;
    return true;
}
