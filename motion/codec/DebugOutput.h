#pragma once
// The codec's only diagnostics: formatted lines to the debugger output.

// A printf-style wide format, as FormatWide takes it. Never throws: it is
// what exception handlers report with.
void DebugOutput(const wchar_t* format, ...) noexcept;
