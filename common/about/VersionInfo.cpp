#include "common/about/VersionInfo.h"

#include <cwchar>

#include "base/text/WideFormat.h"

BOOL CVersionInfo::Open(const std::wstring& path)
{
    m_block.clear();
    m_translation = 0;
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return FALSE;
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return FALSE;

    void* value = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) || !value ||
        length < 2 * sizeof(WORD))
        return FALSE;
    const auto* entry = static_cast<const WORD*>(value); // language, code page
    m_translation = MAKELONG(entry[1], entry[0]);
    m_block = std::move(block);
    return TRUE;
}

std::wstring CVersionInfo::QueryString(const std::wstring& key, DWORD translation) const
{
    if (m_block.empty()) return {};
    const std::wstring path =
        FormatWide(L"\\StringFileInfo\\%08lx\\", static_cast<unsigned long>(translation ? translation : m_translation)) +
        key;

    void* value = nullptr;
    UINT length = 0;
    // VerQueryValueW takes a non-const block but only reads it.
    if (!::VerQueryValueW(const_cast<BYTE*>(m_block.data()), path.c_str(), &value, &length) || !value)
        return {};
    const auto* text = static_cast<const wchar_t*>(value);
    return std::wstring(text, wcsnlen(text, length));
}

std::wstring DottedVersion(const std::wstring& fileVersion)
{
    std::wstring version = fileVersion;
    for (size_t at = version.find(L", "); at != std::wstring::npos; at = version.find(L", ", at + 1))
        version.replace(at, 2, L".");
    return version;
}
