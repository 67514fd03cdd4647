#pragma once
// The codec's only diagnostics: formatted lines to the debugger output.

// A printf-style wide format, as FormatWide takes it.
void DebugOutput(const wchar_t* format, ...);
