#include "motion/codec/DebugOutput.h"

#include <cstdarg>
#include <windows.h>

#include "common/text/WideFormat.h"

void DebugOutput(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::wstring line = FormatWideV(format, args);
    va_end(args);
    OutputDebugStringW(line.c_str());
}
