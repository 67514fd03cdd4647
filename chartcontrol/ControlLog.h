#pragma once
// The chart control's log. Lines go to the editor's log page while one
// exists; otherwise they are dropped.

#include <windows.h>

#include <memory>
#include <string>

// Posted to the log page; wParam carries a heap copy of the line that the
// page takes over with TakePostedLogLine.
constexpr UINT kLogLineMessage = WM_USER + 1;

// The log page registers itself when created and passes null when destroyed.
void SetLogPageWindow(HWND window);
HWND GetLogPageWindow();

// printf-style with the Windows meaning of %s (a wide string).
void PostLogLine(const wchar_t* format, ...);

// "%m/%d/%y hh:mm:ss.mmm - message" from one clock reading.
std::wstring FormatLogLine(const SYSTEMTIME& time, const std::wstring& message);

// For the log page's handler of kLogLineMessage: owns the posted copy.
std::unique_ptr<wchar_t[]> TakePostedLogLine(WPARAM wParam);
