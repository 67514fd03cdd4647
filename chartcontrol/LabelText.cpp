#include "chartcontrol/LabelText.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <ctime>
#include <cwchar>

#include "common/storedvalues/CNumbers.h"

namespace {

// The codes msvcrt's date formatter knows; it has no %N.
const wchar_t kDateCodes[] = L"aAbBcdHIjmMpSUwWxXyYzZ%";

// OLE dates: day 2 is 1900-01-01, and before day 0 the fraction counts
// forward from the whole day that the integer part names.
constexpr double kOleDay1900 = 2.0;
constexpr double kOleFirst = -657434.0;     // 0100-01-01
constexpr double kOleLast = 2958465.99999;  // 9999-12-31 23:59:59

bool ToSystemTime(double days, SYSTEMTIME& time)
{
    if (!std::isfinite(days))
        return false;
    const double serial = kOleDay1900 + days;
    if (serial < kOleFirst || serial > kOleLast)
        return false;
    const double whole = std::floor(serial);
    const double fraction = serial - whole;
    const double ole = whole >= 0 ? serial : whole - fraction;
    return VariantTimeToSystemTime(ole, &time) != FALSE;
}

int DayOfYear(const SYSTEMTIME& time)
{
    static const int before[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int year = time.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return before[time.wMonth - 1] + time.wDay - 1 + (leap && time.wMonth > 2 ? 1 : 0);
}

bool ReadLocaleText(LCTYPE type, std::wstring& text)
{
    wchar_t buffer[16] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16) == 0)
        return false;
    text = buffer;
    return true;
}

bool ReadLocaleNumber(LCTYPE type, UINT& value)
{
    std::wstring text;
    int number = 0;
    if (!ReadLocaleText(type, text) || !ParseCInt(text, number) || number < 0)
        return false;
    value = static_cast<UINT>(number);
    return true;
}

} // namespace

std::wstring SanitizeDateFormat(const std::wstring& format)
{
    std::wstring result;
    for (size_t i = 0; i < format.size(); ++i) {
        result += format[i];
        if (format[i] != L'%')
            continue;
        if (i + 1 < format.size() && wcschr(kDateCodes, format[i + 1]) && format[i + 1] != L'\0')
            result += format[++i];
        else
            result += L'%';
    }
    return result;
}

std::wstring FormatDateLabel(double days, const std::wstring& format)
{
    SYSTEMTIME time{};
    if (!ToSystemTime(days, time))
        return std::wstring();
    tm moment{};
    moment.tm_year = time.wYear - 1900;
    moment.tm_mon = time.wMonth - 1;
    moment.tm_mday = time.wDay;
    moment.tm_hour = time.wHour;
    moment.tm_min = time.wMinute;
    moment.tm_sec = time.wSecond;
    moment.tm_wday = time.wDayOfWeek;
    moment.tm_yday = DayOfYear(time);
    wchar_t buffer[256];
    const size_t length = wcsftime(buffer, 256, format.c_str(), &moment);
    return std::wstring(buffer, length);
}

bool FormatNumber(double value, std::wstring& text, bool decimals)
{
    if (!std::isfinite(value))
        return false;
    std::wstring decimalSeparator, thousandSeparator;
    UINT leadingZero = 0, order = 0, digits = 0;
    if (!ReadLocaleText(LOCALE_SDECIMAL, decimalSeparator) || !ReadLocaleText(LOCALE_STHOUSAND, thousandSeparator) ||
        !ReadLocaleNumber(LOCALE_ILZERO, leadingZero) || !ReadLocaleNumber(LOCALE_ICURRENCY, order) ||
        !ReadLocaleNumber(LOCALE_ICURRDIGITS, digits))
        return false;
    CURRENCYFMTW form{};
    form.NumDigits = decimals ? digits : 0;
    form.LeadingZero = leadingZero;
    form.Grouping = 3;
    form.lpDecimalSep = &decimalSeparator[0];
    form.lpThousandSep = &thousandSeparator[0];
    form.NegativeOrder = 1;
    form.PositiveOrder = order;
    wchar_t noSymbol[] = L"";
    form.lpCurrencySymbol = noSymbol;
    const std::wstring plain = FormatFixed(value, 6);
    wchar_t buffer[1025];
    const int written = GetCurrencyFormatW(LOCALE_USER_DEFAULT, 0, plain.c_str(), &form, buffer, 1025);
    if (written <= 0)
        return false;
    text.assign(buffer, static_cast<size_t>(written) - 1);
    return true;
}
