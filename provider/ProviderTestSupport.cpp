#include "provider/ProviderTestSupport.h"

#include <cstdio>
#include <memory>

#include "provider/ProgramLog.h"
#include "provider/SetupIni.h"

namespace {

constexpr wchar_t kCollectorClass[] = L"ProviderTestLogCollector";

std::vector<std::wstring>& Collected()
{
    static std::vector<std::wstring> lines;
    return lines;
}

LRESULT CALLBACK CollectorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LOG_LINE) {
        wchar_t* line = reinterpret_cast<wchar_t*>(wParam);
        Collected().emplace_back(line);
        FreeLogLine(line);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterCollectorClass()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = CollectorProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kCollectorClass;
    RegisterClassW(&windowClass);   // already registered by an earlier test: fine
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

}  // namespace

void RemoveFolderTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolderTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
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

    RegisterCollectorClass();
    m_window = CreateWindowExW(0, kCollectorClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, m_window);
    SetLogWindow(m_window);
    Collected().clear();
    SetClock(2009, 3, 15, 14, 2, 7, 45);
}

void ProviderFixture::TearDown()
{
    PumpMessages();   // frees lines still queued
    Collected().clear();
    SetLogWindow(nullptr);
    SetLogClock({});
    if (m_window)
        DestroyWindow(m_window);
    SetProgramFolder(L"");
    RemoveFolderTree(m_folder);
    XmlNodeLeakCheck::TearDown();
}

std::vector<std::wstring> ProviderFixture::WindowMessages()
{
    PumpMessages();
    std::vector<std::wstring> messages;
    for (const std::wstring& line : Collected()) {
        const size_t separator = line.find(L" - ");
        messages.push_back(separator == std::wstring::npos ? line : line.substr(separator + 3));
    }
    Collected().clear();
    return messages;
}

SYSTEMTIME MakeLocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = ms;
    return time;
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
    struct Closer { void operator()(FILE* f) const { fclose(f); } };
    std::unique_ptr<FILE, Closer> file(_wfopen(path.c_str(), L"rb"));
    if (!file)
        return std::string();
    std::string bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = fread(chunk, 1, sizeof(chunk), file.get())) > 0)
        bytes.append(chunk, got);
    return bytes;
}
