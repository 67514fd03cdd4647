#include "common/text/WideFormat.h"

#include <cwchar>

std::wstring FormatWide(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = FormatWideV(format, args);
    va_end(args);
    return text;
}

// msvcrt's own functions: mingw's C99 stdio would read %s as narrow.
std::wstring FormatWideV(const wchar_t* format, va_list args)
{
    if (!format)
        return std::wstring();
    va_list measuring;
    va_copy(measuring, args);
    const int needed = _vscwprintf(format, measuring);
    va_end(measuring);
    if (needed <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(needed) + 1, L'\0');
    const int written = _vsnwprintf(&text[0], text.size(), format, args);
    text.resize(written == needed ? static_cast<size_t>(needed) : 0);
    return text;
}
