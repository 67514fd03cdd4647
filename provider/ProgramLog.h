#pragma once
// The program log: every line goes to the log window (when one is recorded)
// and, when switched on in Setup.ini, to the day's file in "Scrivane_Log".

#include <windows.h>

#include <functional>
#include <string>

// Posted to the log window with wParam = the line, a string made by the log
// that the window takes over and frees with FreeLogLine.
constexpr UINT WM_LOG_LINE = WM_USER + 1;
void FreeLogLine(wchar_t* line);

// The log window records itself here; lines are dropped while none is set.
void SetLogWindow(HWND window);
HWND GetLogWindow();

// The local time used for lines and file names; tests set their own clock.
// An empty function restores the system clock.
using LogClock = std::function<SYSTEMTIME()>;
void SetLogClock(LogClock clock);

// Longest message kept; longer ones are cut.
constexpr size_t kMaxLogMessage = 4096;

// The Windows printf meaning: "%s" takes a wide string.
void LogMessage(const wchar_t* format, ...);
// Logs `text` as it is ("%" in it is no format).
void LogText(const std::wstring& text);

// "03/15/09 14:02:07.045 - message"
std::wstring FormatLogLine(const SYSTEMTIME& time, const std::wstring& message);
// The day's file: <folder>\Scrivane_MM-DD-YYYY.txt
std::wstring LogFilePath(const std::wstring& logFolder, const SYSTEMTIME& time);
