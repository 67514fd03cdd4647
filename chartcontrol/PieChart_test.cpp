// The pie's slice order and keyframe frames.
#include <gtest/gtest.h>

#include "chartcontrol/PieChart.h"

namespace {

std::wstring Names(const std::vector<PieSlice>& slices)
{
    std::wstring names;
    for (const PieSlice& slice : slices)
        names += slice.name;
    return names;
}

TEST(PieChart, LeadersSortStablyAndOtherOrderingsKeepTheChildOrder)
{
    const std::vector<PieSlice> slices = {{L"a", 30}, {L"b", 50}, {L"c", 20}, {L"d", 50}, {L"e", 30}};
    struct Case {
        const wchar_t* ordering;
        const wchar_t* names;
    };
    const Case cases[] = {
        {L"Leader First", L"bdaec"},
        {L"Leader Last", L"caebd"},
        {L"leader first", L"abcde"},  // the settings' texts are exact
        {L"", L"abcde"},
    };
    for (const Case& c : cases) {
        std::vector<PieSlice> ordered = slices;
        OrderPieSlices(ordered, c.ordering);
        EXPECT_EQ(c.names, Names(ordered)) << c.ordering;
    }
}

TEST(PieChart, WholePercentagesOfWholeSpansEndOnTheirFrame)
{
    // 29 % of 100 frames in binary floating point the plain way: 28.999999999999996.
    EXPECT_EQ(29, PieFrameNumber(PieSliceEnd(0, 29, 100)));
    EXPECT_EQ(86, PieFrameNumber(PieSliceEnd(PieSliceEnd(0, 29, 100), 57, 100)));
    struct Case {
        double frame;
        long number;
    };
    const Case cases[] = {{28.999999999999996, 29}, {28.5, 28}, {56.99999, 56}, {-0.5, 0}, {-1.0000000000001, -1},
                          {100, 100}};
    for (const Case& c : cases)
        EXPECT_EQ(c.number, PieFrameNumber(c.frame)) << c.frame;
}

} // namespace
