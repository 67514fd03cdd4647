#include "provider/TotalDays.h"

#include <windows.h>
#include <oleauto.h>

namespace {

bool IsLeapYear(long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

long DaysInMonth(long year, long month)
{
    static const long kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (month == 2 && IsLeapYear(year)) ? 29 : kDays[month - 1];
}

// 1900-01-01 as an automation date.
constexpr double kAutomationDate1900 = 2.0;

}  // namespace

bool TotalDaysSince1900(long year, long month, long day, long hour, long minute, long second, double& totalDays)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    double date = 0.0;
    if (!SystemTimeToVariantTime(&time, &date))
        return false;
    totalDays = date - kAutomationDate1900;
    return true;
}
