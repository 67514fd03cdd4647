// How many labels a text asks for.
#include <gtest/gtest.h>

#include "chartcontrol/AxisLabels.h"

namespace {

TEST(AxisLabels, ALabelCountIsTheTextsLeadingNumberHeldToTwelve)
{
    struct Case {
        const wchar_t* text;
        int count;
    };
    const Case cases[] = {{L"4", 4},      {L"4.9", 4},    {L"12", 12}, {L"13", 12}, {L"1e9", 12}, {L"1e999", 12},
                          {L"0", 0},      {L"-3", 0},     {L"-1e999", 0}, {L"abc", 0}, {L"", 0},   {L"7 labels", 7}};
    for (const Case& c : cases)
        EXPECT_EQ(c.count, LabelCountOf(c.text)) << c.text;
}

} // namespace
