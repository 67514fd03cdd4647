#include "chartcontrol/ControlLog.h"

#include <cstdarg>

#include "base/text/WideFormat.h"

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
