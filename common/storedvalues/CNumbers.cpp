#include "common/storedvalues/CNumbers.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <locale.h>

#include "base/text/WideFormat.h"

namespace {

class CCLocale {
public:
    CCLocale() : m_locale(_create_locale(LC_ALL, "C")) {}
    ~CCLocale() { if (m_locale) _free_locale(m_locale); }
    CCLocale(const CCLocale&) = delete;
    CCLocale& operator=(const CCLocale&) = delete;
    _locale_t Get() const { return m_locale; }

private:
    _locale_t m_locale;
};

_locale_t CLocale()
{
    static const CCLocale locale;
    return locale.Get();
}

// The text up to its first character outside ASCII, narrowed: msvcrt has no
// wide form of the locale-bound reader, and numbers are ASCII.
std::string AsciiPrefix(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text) {
        if (c == L'\0' || c > 0x7F)
            break;
        narrow += static_cast<char>(c);
    }
    return narrow;
}

}  // namespace

std::wstring FormatFixed8(double value)
{
    return FormatFixed(value, 8);
}

std::wstring FormatFixed(double value, int decimals)
{
    decimals = decimals < 0 ? 0 : decimals > 15 ? 15 : decimals;
    return FormatWideInLocale(CLocale(), L"%.*f", decimals, value);
}

std::wstring FormatCDouble(const wchar_t* format, double value)
{
    return FormatWideInLocale(CLocale(), format, value);
}

double ParseLeadingCDouble(const std::wstring& text)
{
    const std::string narrow = AsciiPrefix(text);
    const double parsed = _strtod_l(narrow.c_str(), nullptr, CLocale());
    return std::isnan(parsed) ? 0.0 : parsed;
}

bool ParseLeadingCDecimal(const std::wstring& text, double& value)
{
    auto digitsAt = [&text](size_t i) {
        size_t end = i;
        while (end < text.size() && text[end] >= L'0' && text[end] <= L'9')
            ++end;
        return end;
    };
    // Blanks before the number are skipped, as the C library's reader does.
    size_t start = 0;
    while (start < text.size() && (text[start] == L' ' || (text[start] >= L'\t' && text[start] <= L'\r')))
        ++start;
    size_t end = start < text.size() && (text[start] == L'+' || text[start] == L'-') ? start + 1 : start;
    const size_t integerEnd = digitsAt(end);
    size_t numberEnd = integerEnd;
    bool hasDigits = integerEnd > end;
    if (numberEnd < text.size() && text[numberEnd] == L'.') {
        const size_t fractionEnd = digitsAt(numberEnd + 1);
        hasDigits = hasDigits || fractionEnd > numberEnd + 1;
        numberEnd = fractionEnd;
    }
    if (!hasDigits) {
        value = 0.0;
        return true;
    }
    if (numberEnd < text.size() && (text[numberEnd] == L'e' || text[numberEnd] == L'E')) {
        size_t exponent = numberEnd + 1;
        if (exponent < text.size() && (text[exponent] == L'+' || text[exponent] == L'-'))
            ++exponent;
        const size_t exponentEnd = digitsAt(exponent);
        if (exponentEnd > exponent)
            numberEnd = exponentEnd;
    }
    return ParseCDouble(text.substr(start, numberEnd - start), value);
}

bool ParseCDouble(const std::wstring& text, double& value)
{
    const std::string narrow = AsciiPrefix(text);
    if (text.empty() || narrow.size() != text.size())
        return false;
    char* end = nullptr;
    const double parsed = _strtod_l(narrow.c_str(), &end, CLocale());
    if (end != narrow.c_str() + narrow.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ParseCInt(const std::wstring& text, int& value)
{
    if (text.empty())
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    const long parsed = _wcstol_l(text.c_str(), &end, 10, CLocale());
    if (end != text.c_str() + text.size() || errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}
