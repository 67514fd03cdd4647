#include "geometry/paramui/CountDigits.h"

#include <gtest/gtest.h>

namespace {

TEST(CountDigits, DigitsCountOnEachSideOfTheFirstPoint)
{
    const struct {
        const wchar_t* text;
        int integerDigits, fractionDigits;
    } cases[] = {
        {L"", 0, 0},           {L"120", 3, 0},       {L"-1.250", 1, 3}, {L".5", 0, 1},
        {L"1.2.3", 1, 2},      {L"1,000.5 m", 4, 1}, {L"abc", 0, 0},    {L"\x0663" L"4", 1, 0},
    };
    for (const auto& c : cases) {
        const DigitCounts counts = CountDigits(c.text);
        EXPECT_EQ(counts.integerDigits, c.integerDigits) << c.text;
        EXPECT_EQ(counts.fractionDigits, c.fractionDigits) << c.text;
    }
}

}  // namespace
