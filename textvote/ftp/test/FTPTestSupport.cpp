#include "textvote/ftp/test/FTPTestSupport.h"

#include <cstdio>

namespace {

::testing::Environment* const kWinsock = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);

}  // namespace

TempFile::TempFile(const std::wstring& name)
{
    wchar_t folder[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, folder);
    m_path = std::wstring(folder, length) + L"ftptest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
    DeleteFileW(m_path.c_str());
}

TempFile::~TempFile()
{
    DeleteFileW(m_path.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

std::string ReadBytes(const std::wstring& path, bool* ok)
{
    std::string bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (ok)
        *ok = file != nullptr;
    if (!file)
        return bytes;
    char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    if (ok && ferror(file))
        *ok = false;
    fclose(file);
    return bytes;
}
