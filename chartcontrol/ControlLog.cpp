#include "chartcontrol/ControlLog.h"

#include <cstdarg>
#include <cwchar>

namespace {

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

}  // namespace

void PostLogLine(const wchar_t* format, ...)
{
    if (!GetLogTargetWindow() || !format)
        return;

    va_list args;
    va_start(args, format);
    const std::wstring message = FormatWideV(format, args);
    va_end(args);

    SYSTEMTIME now;
    GetLocalTime(&now);
    PostToLogTarget(FormatLogLine(now, message));
}
