#pragma once
// Decimal numbers in reply and listing text: digits only, no sign, no
// locale, never more than fits.

#include <string>

namespace nsFTP {

inline bool IsDecimalDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The number the text starts with; 0 when it starts with no digit.
inline long long LeadingNumber(const std::wstring& text)
{
    long long value = 0;
    for (size_t i = 0; i < text.size() && IsDecimalDigit(text[i]) && value < 100000000000000000LL; ++i)
        value = value * 10 + (text[i] - L'0');
    return value;
}

// True, with the value, when the text is nothing but (up to 18) digits.
inline bool WholeNumber(const std::wstring& text, long long& value)
{
    if (text.empty() || text.size() > 18)
        return false;
    for (wchar_t c : text)
        if (!IsDecimalDigit(c))
            return false;
    value = LeadingNumber(text);
    return true;
}

}  // namespace nsFTP
