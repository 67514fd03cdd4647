#pragma once
// UTF-16 <-> UTF-8 through the system converter. The result is always
// terminated (one unit more than the returned length is allocated), and a
// failed conversion gives an empty text.

#include <memory>

// count: units of the input, or -1 for a terminated input. Returns the units
// written, without the terminator.
int Utf16ToUtf8(const wchar_t* text, int count, std::unique_ptr<char[]>& out);
int Utf8ToUtf16(const char* text, int count, std::unique_ptr<wchar_t[]>& out);
