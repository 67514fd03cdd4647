#include "provider/test/ProviderTestSupport.h"

#include <cstdio>
#include <memory>

#include "base/win/UniqueHandle.h"
#include "provider/ProgramLog.h"
#include "provider/SetupIni.h"

void RemoveFolderTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    // Closed before the folder is removed: an open search holds it.
    if (const UniqueFind search{FindFirstFileW((folder + L"\\*").c_str(), &found)}) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search.Get(), &found));
    }
    RemoveDirectoryW(folder.c_str());
}

void ProviderFixture::SetUp()
{
    XmlNodeLeakCheck::SetUp();
    wchar_t temp[MAX_PATH + 1] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, temp));
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = std::wstring(temp) + L"provider_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
               std::wstring(test->name(), test->name() + strlen(test->name()));
    RemoveFolderTree(m_folder);
    ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
    SetProgramFolder(m_folder);

    m_log = std::make_unique<CLogPageStandIn>();
    ASSERT_NE(nullptr, m_log->Window());
    SetClock(2009, 3, 15, 14, 2, 7, 45);
}

void ProviderFixture::TearDown()
{
    m_log.reset();   // frees lines still queued
    SetLogClock({});
    SetProgramFolder(L"");
    RemoveFolderTree(m_folder);
    XmlNodeLeakCheck::TearDown();
}

std::vector<std::wstring> ProviderFixture::WindowMessages()
{
    std::vector<std::wstring> messages;
    for (const std::wstring& line : m_log->TakeLines())
        messages.push_back(LogMessageOf(line));
    return messages;
}

void ProviderFixture::SetClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms)
{
    m_now = MakeLocalTime(year, month, day, hour, minute, second, ms);
    SetLogClock([this] { return m_now; });
}

void ProviderFixture::WriteSetup(const wchar_t* key, int value)
{
    ASSERT_TRUE(SetSetupInt(kSetupSection, key, value));
}

std::string ProviderFixture::ReadFileBytes(const std::wstring& path)
{
    UniqueStdioFile file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return std::string();
    std::string bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof(chunk), file.Get())) > 0)
        bytes.append(chunk, got);
    return bytes;
}
