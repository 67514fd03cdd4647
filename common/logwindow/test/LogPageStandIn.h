#pragma once
// Stands in for a log page in tests: a message-only window that records
// itself as the log target and collects the lines posted to it.

#include <windows.h>

#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"

class CLogPageStandIn {
public:
    CLogPageStandIn();
    ~CLogPageStandIn();
    CLogPageStandIn(const CLogPageStandIn&) = delete;
    CLogPageStandIn& operator=(const CLogPageStandIn&) = delete;

    HWND Window() const { return m_window.Get(); }
    // Delivers what is queued and hands over the lines received since the
    // last call.
    std::vector<std::wstring> TakeLines();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UniqueWindow m_window;
    std::vector<std::wstring> m_lines;
};

// A local time for log lines in tests.
SYSTEMTIME MakeLocalTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second, WORD ms);

// The message part of a log line (after " - "), or the whole line.
std::wstring LogMessageOf(const std::wstring& line);
