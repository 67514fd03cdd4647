#pragma once
// Text of an 8-bit Windows code page (the locale's ANSI page by default).
// Narrowing is exact: a character the page cannot hold is refused, never
// replaced by "?" or by a best-fit look-alike ("/" for U+FF0F).

#include <windows.h>

#include <string>

// False, with `out` untouched, when `text` does not convert exactly.
bool ToCodePageExactly(const std::wstring& text, std::string& out, UINT codePage = CP_ACP);

// Every byte becomes the character the page gives it.
std::wstring FromCodePage(const std::string& bytes, UINT codePage = CP_ACP);
