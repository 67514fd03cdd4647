#pragma once
// Numbers in stored files are written and read in the "C" locale, whatever
// locale the host process runs in.

#include <string>

// "%.8f".
std::wstring FormatFixed8(double value);
// The whole text must be a finite number.
bool ParseCDouble(const std::wstring& text, double& value);
// The whole text must be a decimal integer within the 32-bit range.
bool ParseCInt(const std::wstring& text, int& value);
