#include "geometry/FileBytes.h"

#include <windows.h>

#include <climits>

#include "base/win/UniqueHandle.h"

bool ReadFileBytes(const wchar_t* path, size_t maxSize, std::string& bytes)
{
    if (!path)
        return false;
    UniqueFile file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxSize || size.QuadPart > INT_MAX)
        return false;
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty() &&
        (!ReadFile(file.Get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr) ||
         read != content.size()))
        return false;
    bytes.swap(content);
    return true;
}

bool WriteFileReplacing(const wchar_t* path, const std::string& bytes)
{
    if (!path || bytes.size() > INT_MAX)
        return false;
    const std::wstring temporary = std::wstring(path) + L".tmp";
    UniqueFile file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    const bool complete =
        bytes.empty() ||
        (WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size());
    // A failed close may have lost the last write: the target stays as it was.
    const bool closed = CloseHandle(file.Detach()) != FALSE;
    if (!closed || !complete ||
        !MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}
