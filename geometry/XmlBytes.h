#pragma once
// XML text from raw bytes: UTF-16 after an FF FE mark, else 8-bit text in
// the given code page. The text ends at its first NUL.

#include <windows.h>

#include <cstddef>
#include <string>

std::wstring DecodeXmlBytes(const char* bytes, size_t size, UINT codePage);
