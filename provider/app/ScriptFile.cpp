#include "provider/app/ScriptFile.h"

#include <windows.h>

#include <algorithm>

#include "base/text/TextConversion.h"
#include "base/win/UniqueHandle.h"

namespace {

// Larger files are no script.
constexpr DWORD kMaxScriptBytes = 16 * 1024 * 1024;

}  // namespace

std::optional<std::wstring> ReadScriptFile(const std::wstring& path)
{
    // Shared for writing too: reading must not stop a writer (a log file
    // read while the program appends to it).
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxScriptBytes)
        return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    // Text that is not UTF-8 is taken as ANSI.
    std::optional<std::wstring> text = ExactNarrowToWide(bytes, CP_UTF8);
    return text ? std::move(*text) : NarrowToWide(bytes, CP_ACP);
}

bool WriteScriptFile(const std::wstring& path, const std::wstring& text)
{
    const std::string bytes = WideToNarrow(text, CP_UTF8);
    if (bytes.empty() && !text.empty())
        return false;
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return bytes.empty() ||
           (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size());
}
