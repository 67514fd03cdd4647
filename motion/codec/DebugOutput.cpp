#include "motion/codec/DebugOutput.h"

#include <cstdarg>
#include <windows.h>

#include "base/text/WideFormat.h"

void DebugOutput(const wchar_t* format, ...) noexcept
{
    va_list args;
    va_start(args, format);
    try {
        const std::wstring line = FormatWideV(format, args);
        OutputDebugStringW(line.c_str());
    } catch (...) {
        // Out of memory: the bare format still tells what happened.
        OutputDebugStringW(format);
    }
    va_end(args);
}
