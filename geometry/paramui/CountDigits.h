#pragma once
// How many digits a number's text has before and after its decimal point.

#include <string>

struct DigitCounts {
    int integerDigits = 0;
    int fractionDigits = 0;
};

// Every decimal digit before the first "." is an integer digit, every one
// after it a fraction digit; other characters do not count.
DigitCounts CountDigits(const std::wstring& text);
