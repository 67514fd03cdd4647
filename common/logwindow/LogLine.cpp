#include "common/logwindow/LogLine.h"

#include <atomic>
#include <cstring>

#include "base/text/WideFormat.h"

namespace {

std::atomic<HWND> g_logTarget{nullptr};

} // namespace

wchar_t* AllocateLogText(const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(::HeapAlloc(::GetProcessHeap(), 0, bytes));
    if (copy) std::memcpy(copy, text.c_str(), bytes);
    return copy;
}

void FreeLogText(wchar_t* text)
{
    if (text) ::HeapFree(::GetProcessHeap(), 0, text);
}

UniqueLogText TakeLogText(WPARAM wParam, LPARAM lParam)
{
    return UniqueLogText(lParam == kLogLineCookie ? reinterpret_cast<wchar_t*>(wParam) : nullptr);
}

std::wstring FormatLogLine(const SYSTEMTIME& time, const std::wstring& message)
{
    return FormatWide(L"%02u/%02u/%02u %02u:%02u:%02u.%03u - ", time.wMonth, time.wDay, time.wYear % 100,
                      time.wHour, time.wMinute, time.wSecond, time.wMilliseconds) +
           message;
}

bool PostLogText(HWND page, const std::wstring& line)
{
    UniqueLogText copy(AllocateLogText(line));
    if (!copy || !::PostMessageW(page, WM_LOG_LINE, reinterpret_cast<WPARAM>(copy.get()), kLogLineCookie)) return false;
    copy.release(); // the page owns it now
    return true;
}

void SetLogTargetWindow(HWND page)
{
    g_logTarget.store(page);
}

HWND GetLogTargetWindow()
{
    return g_logTarget.load();
}

bool PostToLogTarget(const std::wstring& line)
{
    HWND page = GetLogTargetWindow();
    return page && ::IsWindow(page) && PostLogText(page, line);
}
