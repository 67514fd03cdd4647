// The parameter text of UpdateChart as a map.
#include <gtest/gtest.h>

#include "chartcontrol/UpdateParams.h"

namespace {

TEST(UpdateParams, PairsSplitAtTheirFirstEqualsSignAndTheFirstOfAKeyWins)
{
    struct Case {
        const wchar_t* text;
        UpdateParams expected;
    };
    const Case cases[] = {
        {L"symbol=A&symbol=B", {{L"symbol", L"A"}}},
        {L"Symbol=A", {{L"symbol", L"A"}}},
        {L"a&b=1", {{L"b", L"1"}}},
        {L"range1=01/02=x&&=v", {{L"range1", L"01/02=x"}, {L"", L"v"}}},
        {L" chart = A %20", {{L" chart ", L" A %20"}}},   // values as they stand
        {L"BAR\u00C41Percent=5", {{L"bar\u00C41percent", L"5"}}},  // only A-Z change case
        {L"refresh", {}},
        {L"", {}},
    };
    for (const Case& c : cases) {
        UpdateParams params;
        ParseUpdateParams(c.text, params);
        EXPECT_EQ(c.expected, params) << c.text;
    }
    UpdateParams none;
    ParseUpdateParams(nullptr, none);
    EXPECT_TRUE(none.empty());
}

TEST(UpdateParams, PairsAlreadyInTheMapKeepTheirValue)
{
    UpdateParams params = {{L"scene", L"Main"}};
    ParseUpdateParams(L"scene=Other&chart=Chart1", params);
    EXPECT_EQ((UpdateParams{{L"scene", L"Main"}, {L"chart", L"Chart1"}}), params);
}

} // namespace
