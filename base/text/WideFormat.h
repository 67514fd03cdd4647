#pragma once
// The one printf-style formatter of wide text. It keeps msvcrt's meaning of
// the conversions, as on Windows: %s and %c take wide arguments (so do %ls
// and %lc), %hs and %hc narrow ones. The text is measured first, so nothing
// is cut; a format msvcrt rejects gives an empty text.

#include <cstdarg>
#include <locale.h>
#include <string>

// In the current locale.
std::wstring FormatWide(const wchar_t* format, ...);
std::wstring FormatWideV(const wchar_t* format, va_list args);

// In the given locale, e.g. the C locale for numbers that are stored.
std::wstring FormatWideInLocale(_locale_t locale, const wchar_t* format, ...);
