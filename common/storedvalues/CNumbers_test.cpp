#include "common/storedvalues/CNumbers.h"

#include <gtest/gtest.h>

#include <string>

#include "common/storedvalues/test/CommaLocaleTestSupport.h"

namespace {

void ExpectCForms()
{
    EXPECT_EQ(L"1.50000000", FormatFixed8(1.5));
    EXPECT_EQ(L"-0.62500000", FormatFixed8(-0.625));
    EXPECT_EQ(311u + 8u, FormatFixed8(-1e308).size()) << "sign, 309 digits, point, 8 decimals";

    struct DoubleCase { const wchar_t* text; bool parses; double value; };
    const DoubleCase doubles[] = {
        {L"1.5", true, 1.5}, {L"-2.25e1", true, -22.5}, {L"0", true, 0.0},
        {L"1,5", false, 0}, {L"1.5x", false, 0}, {L"", false, 0}, {L"1e999", false, 0},
        {L"inf", false, 0}, {L"nan", false, 0}, {L"1\x0660", false, 0},
    };
    for (const DoubleCase& c : doubles) {
        double value = -99.0;
        EXPECT_EQ(c.parses, ParseCDouble(c.text, value)) << c.text;
        EXPECT_EQ(c.parses ? c.value : -99.0, value) << c.text;
    }
    double value = -99.0;
    EXPECT_FALSE(ParseCDouble(std::wstring(L"1\0" L"5", 3), value)) << "an embedded NUL";

    struct LeadingCase { const wchar_t* text; bool inRange; double value; };
    const LeadingCase leading[] = {
        {L"75", true, 75.0}, {L"12.5 %", true, 12.5}, {L"-.5x", true, -0.5}, {L"5.", true, 5.0},
        {L"2e1e", true, 20.0}, {L"3e+", true, 3.0}, {L"abc", true, 0.0}, {L"", true, 0.0}, {L".", true, 0.0},
        {L"nan", true, 0.0}, {L"inf", true, 0.0}, {L"0x1p3", true, 0.0}, {L" \t\r\n7", true, 7.0}, {L"  -2.5e1x", true, -25.0}, {L"\x3000" L"7", true, 0.0},
        {L" ", true, 0.0}, {L"- 7", true, 0.0},
        {L"1e999", false, 0}, {L"-1e999x", false, 0},
    };
    for (const LeadingCase& c : leading) {
        double parsed = -99.0;
        EXPECT_EQ(c.inRange, ParseLeadingCDecimal(c.text, parsed)) << c.text;
        EXPECT_EQ(c.inRange ? c.value : -99.0, parsed) << c.text;
    }

    struct IntCase { const wchar_t* text; bool parses; int value; };
    const IntCase ints[] = {
        {L"42", true, 42}, {L"-7", true, -7}, {L"2147483647", true, 2147483647},
        {L"-2147483648", true, -2147483647 - 1}, {L"2147483648", false, 0}, {L"99999999999", false, 0},
        {L"1.0", false, 0}, {L"4x", false, 0}, {L"", false, 0},
    };
    for (const IntCase& c : ints) {
        int parsed = -99;
        EXPECT_EQ(c.parses, ParseCInt(c.text, parsed)) << c.text;
        EXPECT_EQ(c.parses ? c.value : -99, parsed) << c.text;
    }
}

TEST(CNumbers, StrictCFormsBothWays)
{
    ExpectCForms();
}

TEST(CNumbers, TheProcessLocaleChangesNothing)
{
    const ScopedCommaLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "no German locale";
    EXPECT_TRUE(ScopedCommaLocale::FormatsWithComma()) << "the locale does not change numbers, so this test shows nothing";
    ExpectCForms();
}

}  // namespace
