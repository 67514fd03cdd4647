#include "base/text/WideFormat.h"

#include <cwchar>

namespace {

// msvcrt's own functions: mingw's C99 stdio would read %s as narrow. A null
// locale is the current one.
std::wstring Format(_locale_t locale, const wchar_t* format, va_list args)
{
    if (!format)
        return std::wstring();
    va_list measuring;
    va_copy(measuring, args);
    const int needed = _vscwprintf_l(format, locale, measuring);
    va_end(measuring);
    if (needed <= 0)
        return std::wstring();
    std::wstring text(static_cast<size_t>(needed) + 1, L'\0');
    const int written = _vsnwprintf_l(&text[0], text.size(), format, locale, args);
    text.resize(written == needed ? static_cast<size_t>(needed) : 0);
    return text;
}

}  // namespace

std::wstring FormatWide(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = Format(nullptr, format, args);
    va_end(args);
    return text;
}

std::wstring FormatWideV(const wchar_t* format, va_list args)
{
    return Format(nullptr, format, args);
}

std::wstring FormatWideInLocale(_locale_t locale, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    std::wstring text = Format(locale, format, args);
    va_end(args);
    return text;
}
