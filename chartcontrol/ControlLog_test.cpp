#include "chartcontrol/ControlLog.h"

#include <gtest/gtest.h>

#include <cwctype>

#include "common/logwindow/test/LogPageStandIn.h"

namespace {

// "mm/dd/yy hh:mm:ss.mmm - " with digits where the format has them.
bool HasTimestampPrefix(const std::wstring& line)
{
    const std::wstring shape = L"00/00/00 00:00:00.000 - ";
    if (line.size() < shape.size())
        return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == L'0' ? !iswdigit(line[i]) : line[i] != shape[i])
            return false;
    }
    return true;
}

}  // namespace

TEST(ControlLog, LineCarriesDateTimeAndMilliseconds)
{
    struct Case { SYSTEMTIME time; const wchar_t* message; const wchar_t* line; };
    const Case cases[] = {
        {MakeLocalTime(2026, 3, 9, 14, 5, 7, 250), L"UpdateCharts refresh", L"03/09/26 14:05:07.250 - UpdateCharts refresh"},
        {MakeLocalTime(2000, 1, 1, 0, 0, 0, 0), L"", L"01/01/00 00:00:00.000 - "},
        {MakeLocalTime(2009, 12, 31, 23, 59, 59, 999), L"x", L"12/31/09 23:59:59.999 - x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.line, FormatLogLine(c.time, c.message));
}

TEST(ControlLog, PostedLineReachesTheLogPageFormatted)
{
    CLogPageStandIn page;
    PostLogLine(L"Cannot find provider %s in %s (%d)", L"Quotes", L"C:\\x\\providers.xml", 7);
    const auto lines = page.TakeLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_TRUE(HasTimestampPrefix(lines[0])) << lines[0];
    EXPECT_EQ(L"Cannot find provider Quotes in C:\\x\\providers.xml (7)", LogMessageOf(lines[0]));
}

TEST(ControlLog, LongMessageArrivesWhole)
{
    CLogPageStandIn page;
    const std::wstring longText(20000, L'q');
    PostLogLine(L"%s!", longText.c_str());
    const auto lines = page.TakeLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(longText + L"!", LogMessageOf(lines[0]));
}

TEST(ControlLog, LinesAreDroppedWhileNoLogPageExists)
{
    CLogPageStandIn page;
    SetLogTargetWindow(nullptr);
    PostLogLine(L"lost %s", L"line");
    EXPECT_TRUE(page.TakeLines().empty());

    SetLogTargetWindow(page.Window());
    PostLogLine(L"kept");
    const auto lines = page.TakeLines();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(L"kept", LogMessageOf(lines[0]));
}
