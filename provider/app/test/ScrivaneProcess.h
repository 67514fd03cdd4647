#pragma once
// For tests and benchmarks: the real Scrivane.exe, started in a folder of its
// own (program, editor component, type library, Setup.ini with port 0 and
// file logging, and the given startup script) and watched through its log,
// its memory and its handles.

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "provider/app/ScriptFile.h"

namespace scrivane_process {

// The folder of the running test or benchmark, where the build put Scrivane.
inline std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

class ScrivaneProcess {
public:
    ScrivaneProcess(const ScrivaneProcess&) = delete;
    ScrivaneProcess& operator=(const ScrivaneProcess&) = delete;
    // `setupLines` are further "Key=Value" lines of the [Setup] section; they
    // take the place of the defaults of the same keys.
    explicit ScrivaneProcess(const std::wstring& script, const std::wstring& setupLines = L"")
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        // A folder per run: a log file the last program still held cannot leak in.
        static int runs = 0;
        m_folder = std::wstring(temp) + L"scrivane_program_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                   std::to_wstring(++runs) + L"\\";
        CreateDirectoryW(m_folder.c_str(), nullptr);
        for (const wchar_t* file : {L"Scrivane.exe", L"SciLexer.dll", L"Scrivane.tlb"})
            CopyFileW((ModuleFolder() + file).c_str(), (m_folder + file).c_str(), FALSE);
        // The first of a key's lines counts: `setupLines` override the defaults.
        WriteScriptFile(m_folder + L"Setup.ini",
                        L"[Setup]\r\n" + setupLines +
                            L"ServerPort=0\r\nLogToFile=1\r\nLogToLogWindow=1\r\nStartupScript=test.vbs\r\n");
        WriteScriptFile(m_folder + L"test.vbs", script);

        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::wstring commandLine = L"\"" + m_folder + L"Scrivane.exe\"";
        if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, m_folder.c_str(), &startup,
                           &process)) {
            m_process.Reset(process.hProcess);
            CloseHandle(process.hThread);
            m_processId = process.dwProcessId;
        }
    }

    ~ScrivaneProcess()
    {
        if (m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT) {
            if (HWND window = MainWindow())
                PostMessageW(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(m_process.Get(), 10000) != WAIT_OBJECT_0)
                TerminateProcess(m_process.Get(), 1);
        }
        m_process.Reset();
        Sleep(100);
        for (const std::wstring& file : LogFiles())
            DeleteFileW(file.c_str());
        RemoveDirectoryW((m_folder + L"Scrivane_Log").c_str());
        for (const wchar_t* file : {L"Scrivane.exe", L"SciLexer.dll", L"Scrivane.tlb", L"Setup.ini", L"test.vbs"})
            DeleteFileW((m_folder + file).c_str());
        RemoveDirectoryW(m_folder.c_str());
    }

    bool Started() const { return static_cast<bool>(m_process); }
    HANDLE Process() const { return m_process.Get(); }

    // Every message of the log files, in order (the part after " - ").
    std::vector<std::wstring> LogMessages() const
    {
        std::vector<std::wstring> messages;
        for (const std::wstring& file : LogFiles()) {
            std::wistringstream in(ReadScriptFile(file).value_or(L""));
            std::wstring line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == L'\r')
                    line.pop_back();
                const size_t separator = line.find(L" - ");
                messages.push_back(separator == std::wstring::npos ? line : line.substr(separator + 3));
            }
        }
        return messages;
    }

    // The messages logged since the last call.
    std::vector<std::wstring> NewLogMessages()
    {
        const std::vector<std::wstring> all = LogMessages();
        std::vector<std::wstring> fresh(all.begin() + static_cast<std::ptrdiff_t>(std::min(m_seen, all.size())), all.end());
        m_seen = all.size();
        return fresh;
    }

    // Waits for the next "Server started on port N" and returns N (0: none).
    unsigned short WaitForServerPort()
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            for (const std::wstring& message : NewLogMessages()) {
                const std::wstring prefix = L"Server started on port ";
                if (message.compare(0, prefix.size(), prefix) == 0)
                    return static_cast<unsigned short>(_wtoi(message.c_str() + prefix.size()));
            }
            Sleep(100);
        }
        return 0;
    }

    // The program's committed private memory; 0 when it cannot be read.
    size_t PrivateBytes() const
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        if (!m_process || !GetProcessMemoryInfo(m_process.Get(), &counters, sizeof counters))
            return 0;
        return counters.PagefileUsage;
    }

    // The program's open handles, from the system's handle list (Wine does
    // not count them per process); -1 when the list cannot be read.
    long HandleCount() const
    {
        struct Entry {
            ULONG processId;
            BYTE objectType;
            BYTE flags;
            USHORT handle;
            PVOID object;
            ACCESS_MASK access;
        };
        using QuerySystemInformation = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
        constexpr ULONG kSystemHandleInformation = 16;
        constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
        const auto query = reinterpret_cast<QuerySystemInformation>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
        if (!query)
            return -1;
        std::vector<char> buffer(1 << 20);
        for (;;) {
            ULONG length = 0;
            const LONG status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length);
            if (status == kInfoLengthMismatch && buffer.size() < (64u << 20)) {
                buffer.resize(buffer.size() * 2);
                continue;
            }
            if (status != 0)
                return -1;
            break;
        }
        const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
        if (sizeof(ULONG) + count * sizeof(Entry) > buffer.size())
            return -1;
        const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG));
        return static_cast<long>(std::count_if(entries, entries + count,
                                               [this](const Entry& e) { return e.processId == m_processId; }));
    }

    HWND MainWindow() const { return FindWindowOfProcess(L"Scrivane - "); }
    HWND SetupDialog() const { return FindWindowOfProcess(L"Setup"); }

private:
    std::vector<std::wstring> LogFiles() const
    {
        std::vector<std::wstring> files;
        WIN32_FIND_DATAW found;
        const UniqueFind search(FindFirstFileW((m_folder + L"Scrivane_Log\\*.txt").c_str(), &found));
        if (search) {
            do
                files.push_back(m_folder + L"Scrivane_Log\\" + found.cFileName);
            while (FindNextFileW(search.Get(), &found));
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    struct WindowSearch {
        DWORD processId;
        const std::wstring* prefix;
        HWND found;
    };

    static BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
    {
        auto* search = reinterpret_cast<WindowSearch*>(parameter);
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        wchar_t title[128] = {};
        GetWindowTextW(window, title, 128);
        if (processId == search->processId && IsWindowVisible(window) &&
            std::wstring(title).compare(0, search->prefix->size(), *search->prefix) == 0) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }

    HWND FindWindowOfProcess(const std::wstring& titlePrefix) const
    {
        WindowSearch search = {m_processId, &titlePrefix, nullptr};
        EnumWindows(&ScrivaneProcess::MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::wstring m_folder;
    UniqueKernelHandle m_process;
    DWORD m_processId = 0;
    size_t m_seen = 0;
};

}  // namespace scrivane_process

using scrivane_process::ScrivaneProcess;
