#pragma once
// The one printf-style formatter of wide text. It keeps msvcrt's meaning of
// the conversions, as on Windows: %s and %c take wide arguments (so do %ls
// and %lc), %hs and %hc narrow ones. The text is measured first, so nothing
// is cut; a format msvcrt rejects gives an empty text.

#include <cstdarg>
#include <string>

std::wstring FormatWide(const wchar_t* format, ...);
std::wstring FormatWideV(const wchar_t* format, va_list args);
