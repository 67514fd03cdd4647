#include "provider/ProgramLog.h"

#include <cstdarg>
#include <cstdio>

#include "common/logwindow/LogLine.h"
#include "base/win/CriticalSection.h"
#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"
#include "base/win/UniqueHandle.h"
#include "provider/SetupIni.h"

namespace {

// Lines come from the user-interface thread and from the watchdog of a
// script run; the lock keeps their file writes whole and the folder intact.
struct LogState {
    CriticalSection lock;
    LogClock clock;
    std::wstring folder;   // remembered once made; re-made when deleted
};

LogState& State()
{
    static LogState state;
    return state;
}

SYSTEMTIME Now()
{
    const LogState& state = State();
    if (state.clock)
        return state.clock();
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

bool FolderExists(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring LogFolder()
{
    std::wstring& folder = State().folder;
    if (folder.empty() || !FolderExists(folder)) {
        folder = GetProgramFolder() + L"Scrivane_Log";
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

void AppendToDayFile(const std::wstring& line, const SYSTEMTIME& time)
{
    // Text mode: the "\n" becomes the file's CR LF.
    UniqueStdioFile file(_wfopen(LogFilePath(LogFolder(), time).c_str(), L"a"));
    if (!file)
        return;
    const std::string ansi = WideToNarrow(line, CP_ACP) + "\n";
    fwrite(ansi.data(), 1, ansi.size(), file.Get());
}

}  // namespace

void SetLogClock(LogClock clock)
{
    CriticalSectionLock guard(State().lock);
    State().clock = std::move(clock);
}

std::wstring LogFilePath(const std::wstring& logFolder, const SYSTEMTIME& time)
{
    return logFolder + FormatWide(L"\\Scrivane_%02u-%02u-%04u.txt", time.wMonth, time.wDay, time.wYear);
}

void LogText(const std::wstring& text)
{
    const HWND window = GetLogTargetWindow();
    if (!window || !IsWindow(window))
        return;
    // Read for every line, so a changed setting applies at once.
    const bool toWindow = GetSetupInt(kSetupSection, kLogToLogWindowKey, 1) != 0;
    const bool toFile = GetSetupInt(kSetupSection, kLogToFileKey, 0) != 0;
    if (!toWindow && !toFile)
        return;
    CriticalSectionLock guard(State().lock);
    const SYSTEMTIME now = Now();
    const std::wstring line = FormatLogLine(now, text.substr(0, kMaxLogMessage - 1));
    if (toFile)
        AppendToDayFile(line, now);
    if (toWindow)
        PostLogText(window, line);
}

void LogLastWords(const std::wstring& text)
{
    // No lock: the lost thread may have died holding it, and nothing else
    // logs any more.
    const SYSTEMTIME now = Now();
    const std::wstring line = FormatLogLine(now, text.substr(0, kMaxLogMessage - 1));
    OutputDebugStringW((line + L"\n").c_str());
    if (GetSetupInt(kSetupSection, kLogToFileKey, 0) != 0)
        AppendToDayFile(line, now);
}

void LogMessage(const wchar_t* format, ...)
{
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    const std::wstring message = FormatWideV(format, args);
    va_end(args);
    LogText(message);
}
