#pragma once
// The program log: while a log page is recorded as the log target
// (common/logwindow), every line goes to it and, when switched on in
// Setup.ini, to the day's file in "Scrivane_Log". Lines are dropped while
// there is no log page. Any thread may log (a script run's watchdog does).

#include <windows.h>

#include <functional>
#include <string>

#include "common/logwindow/LogLine.h"

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
// The program's last line, written when its thread is lost: to the day's
// file when file logging is on, and to the debugger output; no log page is
// needed.
void LogLastWords(const std::wstring& text);

// The day's file: <folder>\Scrivane_MM-DD-YYYY.txt
std::wstring LogFilePath(const std::wstring& logFolder, const SYSTEMTIME& time);
