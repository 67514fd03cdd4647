#pragma once
// The codec's only diagnostics: formatted lines to the debugger output.

// A printf-style wide format (texts as %ls); the line is cut at 1024 units.
void DebugOutput(const wchar_t* format, ...);
