#pragma once
// Conversions between the editor's UTF-8 bytes and wide text. The result is
// allocated for the caller. A count of -1 converts up to and including the
// terminator; any other count converts that many units and adds none. A
// failed or empty conversion yields one unit holding 0.
// Returns the units written: for -1 not counting the terminator.

#include <memory>

int Utf16ToUtf8(const wchar_t* text, int count, std::unique_ptr<char[]>& out);
int Utf8ToUtf16(const char* text, int count, std::unique_ptr<wchar_t[]>& out);
