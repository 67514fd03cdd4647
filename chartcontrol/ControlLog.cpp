#include "chartcontrol/ControlLog.h"

#include <atomic>
#include <cstdarg>
#include <cwchar>
#include <new>

namespace {

std::atomic<HWND> g_logPageWindow{nullptr};

// vswprintf with the Windows meaning of %s, sized first so nothing is cut.
std::wstring FormatWideV(const wchar_t* format, va_list args)
{
    va_list sizing;
    va_copy(sizing, args);
    const int needed = _vscwprintf(format, sizing);
    va_end(sizing);
    if (needed < 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(needed) + 1, L'\0');
    _vsnwprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(needed));
    return text;
}

std::wstring FormatWide(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = FormatWideV(format, args);
    va_end(args);
    return text;
}

}  // namespace

void SetLogPageWindow(HWND window)
{
    g_logPageWindow.store(window);
}

HWND GetLogPageWindow()
{
    return g_logPageWindow.load();
}

std::wstring FormatLogLine(const SYSTEMTIME& time, const std::wstring& message)
{
    const std::wstring date = FormatWide(L"%02u/%02u/%02u", time.wMonth, time.wDay, time.wYear % 100u);
    const std::wstring clock = FormatWide(L"%02u:%02u:%02u", time.wHour, time.wMinute, time.wSecond);
    return FormatWide(L"%s %.8s.%03d - %s", date.c_str(), clock.c_str(), static_cast<int>(time.wMilliseconds),
                      message.c_str());
}

void PostLogLine(const wchar_t* format, ...)
{
    const HWND page = GetLogPageWindow();
    if (!page || !format)
        return;

    va_list args;
    va_start(args, format);
    const std::wstring message = FormatWideV(format, args);
    va_end(args);

    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::wstring line = FormatLogLine(now, message);

    std::unique_ptr<wchar_t[]> copy(new (std::nothrow) wchar_t[line.size() + 1]);
    if (!copy)
        return;
    wmemcpy(copy.get(), line.c_str(), line.size() + 1);
    // The page frees the copy once it has it; when the post fails (the
    // window is gone) it stays ours and is freed here.
    if (PostMessageW(page, kLogLineMessage, reinterpret_cast<WPARAM>(copy.get()), 0))
        copy.release();
}

std::unique_ptr<wchar_t[]> TakePostedLogLine(WPARAM wParam)
{
    return std::unique_ptr<wchar_t[]>(reinterpret_cast<wchar_t*>(wParam));
}
