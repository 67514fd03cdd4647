#pragma once
// Numbers in stored files are written and read in the "C" locale, whatever
// locale the host process runs in.

#include <string>

// "%.8f".
std::wstring FormatFixed8(double value);
// Fixed point with `decimals` places, clamped to 0 ... 15.
std::wstring FormatFixed(double value, int decimals);
// `format` is a wide printf format for one double, e.g. L"%.2lf".
std::wstring FormatCDouble(const wchar_t* format, double value);
// The number that the text starts with, as a user types it: "1." is 1,
// "2.5x" is 2.5, a text without a leading number is 0.
double ParseLeadingCDouble(const std::wstring& text);
// The decimal number the text starts with after any blanks (sign, digits,
// a point, an exponent; never "inf", "nan" or hex), 0 when none. False
// when that number is out of range.
bool ParseLeadingCDecimal(const std::wstring& text, double& value);
// The whole text must be a finite number.
bool ParseCDouble(const std::wstring& text, double& value);
// The whole text must be a decimal integer within the 32-bit range.
bool ParseCInt(const std::wstring& text, int& value);
