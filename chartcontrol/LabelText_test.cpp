// Date and number texts of the line charts' labels.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <limits>

#include "chartcontrol/LabelText.h"

namespace {

TEST(LabelText, DateFormatsKeepKnownCodesAndPrintTheRestAsTheyStand)
{
    struct Case {
        const wchar_t* format;
        const wchar_t* sanitised;
    };
    const Case cases[] = {
        {L"%d.%m.%Y %Q", L"%d.%m.%Y %%Q"}, {L"%d %b", L"%d %b"}, {L"100%", L"100%%"}, {L"%%d", L"%%d"},
        {L"%N", L"%%N"},  // the formatter has no %N
        {L"%", L"%%"},     {L"%%%", L"%%%%"}, {L"%#d", L"%%#d"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.sanitised, SanitizeDateFormat(c.format)) << c.format;
    EXPECT_EQ(L"15 %Q", FormatDateLabel(40191, SanitizeDateFormat(L"%d %Q")));
    EXPECT_EQ(L"%N 2010", FormatDateLabel(40191, SanitizeDateFormat(L"%N %Y")));
}

TEST(LabelText, DaysCountFromTheFirstOf1900CalendarTrue)
{
    struct Case {
        double days;
        const wchar_t* format;
        const wchar_t* text;
    };
    const Case cases[] = {
        {40191, L"%d %b %Y", L"15 Jan 2010"},
        {40191.5, L"%H:%M:%S", L"12:00:00"},
        {40191.999999, L"%d %H:%M:%S", L"16 00:00:00"},  // to the nearest second
        {40191, L"%A %j %U", L"Friday 015 02"},          // weekday and day of the year are filled
        {0, L"%Y-%m-%d", L"1900-01-01"},
        {-1, L"%Y-%m-%d", L"1899-12-31"},
        {-3.25, L"%Y-%m-%d %H:%M", L"1899-12-28 18:00"},  // before 1899-12-30 the time still runs forward
        {-693593, L"%Y-%m-%d", L""},                       // year 1: out of range
        {3e6, L"%Y", L""},
        {std::numeric_limits<double>::quiet_NaN(), L"%Y", L""},
        {std::numeric_limits<double>::infinity(), L"%Y", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, FormatDateLabel(c.days, c.format)) << c.days << " " << c.format;
}

TEST(LabelText, NumbersFollowTheUserLocaleWithoutACurrencySymbol)
{
    wchar_t decimal[8] = {}, thousands[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands, 8);
    ASSERT_EQ(std::wstring(L"."), decimal) << "the tests run in an en-US user locale";
    ASSERT_EQ(std::wstring(L","), thousands);
    struct Case {
        double value;
        bool decimals;
        const wchar_t* text;
    };
    const Case cases[] = {
        {1234.5, true, L"1,234.50"}, {1234.4, false, L"1,234"}, {-5.25, true, L"-5.25"},
        {0.5, true, L"0.50"},        {1234567, false, L"1,234,567"}, {15, true, L"15.00"},
    };
    for (const Case& c : cases) {
        std::wstring text;
        EXPECT_TRUE(FormatNumber(c.value, text, c.decimals)) << c.value;
        EXPECT_EQ(c.text, text) << c.value;
    }
    std::wstring text = L"kept";
    EXPECT_FALSE(FormatNumber(std::numeric_limits<double>::quiet_NaN(), text, true));
    EXPECT_FALSE(FormatNumber(-std::numeric_limits<double>::infinity(), text, false));
    EXPECT_EQ(L"kept", text);
}

} // namespace
