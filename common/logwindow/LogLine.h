#pragma once
// Log lines travel to the log page as posted messages: the sender copies the
// line to the process heap, the page frees it. The process heap is the one
// heap every module of the process shares, so a line may cross modules.

#include <windows.h>
#include <memory>
#include <string>

// wParam: a line from AllocateLogText, which the receiver frees; lParam:
// kLogLineCookie. The number is also DM_SETDEFID (wParam a control id) of a
// dialog, so a receiver takes wParam as a line only beside the cookie.
constexpr UINT WM_LOG_LINE = WM_USER + 1;
constexpr LPARAM kLogLineCookie = 0x4C6F674C;

wchar_t* AllocateLogText(const std::wstring& text);
void FreeLogText(wchar_t* text);

struct LogTextDeleter {
    void operator()(wchar_t* text) const { FreeLogText(text); }
};
using UniqueLogText = std::unique_ptr<wchar_t, LogTextDeleter>;

// The line a WM_LOG_LINE carries, or null when the message is not one.
UniqueLogText TakeLogText(WPARAM wParam, LPARAM lParam);

// "03/15/09 14:02:07.045 - message": date, time and milliseconds of one
// clock reading before the message.
std::wstring FormatLogLine(const SYSTEMTIME& time, const std::wstring& message);

// Posts a copy of the line; false (and the copy freed) when the post fails.
bool PostLogText(HWND page, const std::wstring& line);

// The program's log page, or null while there is none; any thread may read it.
void SetLogTargetWindow(HWND page);
HWND GetLogTargetWindow();
// Posts to the log page; the line is dropped while there is no page.
bool PostToLogTarget(const std::wstring& line);
