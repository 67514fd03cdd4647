#include "motion/codec/DebugOutput.h"

#include <cstdarg>
#include <cwchar>
#include <windows.h>

void DebugOutput(const wchar_t* format, ...)
{
    wchar_t line[1024];
    va_list args;
    va_start(args, format);
    const int written = _vsnwprintf(line, sizeof(line) / sizeof(line[0]) - 1, format, args);
    va_end(args);
    // A cut line has no terminator of its own.
    line[written < 0 ? sizeof(line) / sizeof(line[0]) - 1 : written] = L'\0';
    OutputDebugStringW(line);
}
