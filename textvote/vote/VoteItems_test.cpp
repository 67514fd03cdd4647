// The vote service's page into percentages.
#include <gtest/gtest.h>

#include "common/storedvalues/test/CommaLocaleTestSupport.h"
#include "textvote/vote/VoteItems.h"

TEST(VoteItems, EachParagraphFillsTheNextSlot)
{
    VoteValues values{};
    values.fill(-1);
    ParseVoteItems("<html><p>A: 40%</p>\n<p>B: 35 %</p><p>C:25%</p></html>", values);
    EXPECT_EQ((VoteValues{40, 35, 25, -1, -1, -1, -1, -1, -1, -1}), values);
}

TEST(VoteItems, AnItemWithoutAColonTakesItsSlotAndKeepsItsValue)
{
    VoteValues values{};
    values.fill(7);
    ParseVoteItems("<p>header</p><p>B: 5</p>", values);
    EXPECT_EQ((VoteValues{7, 5, 7, 7, 7, 7, 7, 7, 7, 7}), values);
}

TEST(VoteItems, OnlyTenItemsAreStoredAndAnUnclosedItemEndsThePage)
{
    std::string page;
    for (int i = 1; i <= 12; ++i)
        page += "<p>x: " + std::to_string(i) + "</p>";
    VoteValues values{};
    ParseVoteItems(page, values);
    EXPECT_EQ((VoteValues{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), values);

    values.fill(0);
    ParseVoteItems("<p>a: 1</p><p>b: 2", values);
    EXPECT_EQ((VoteValues{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}), values);
}

TEST(VoteItems, ANumberIsAFiniteCLocaleDecimalHeldToAPercentage)
{
    struct Case { const char* item; double value; };
    const Case cases[] = {
        {"A: 40%", 40},       {"B:  35 % ", 35},  {"C: 12.5%", 12.5},   {"D: 1,5", 1},
        {"E: %%7%", 7},       {"F: 1e1", 10},     {"G: nan", 0},        {"H: inf", 0},
        {"I: 0x20", 0},       {"J: 1e999", 0},    {"K: -5", 0},         {"L: 150", 100},
        {"M: lots", 0},       {"N:", 0},          {"O: 3: 4", 3},       {"P: 99.6 %", 99.6},
    };
    const ScopedCommaLocale comma;
    for (const Case& c : cases) {
        double value = -1;
        EXPECT_TRUE(VoteItemValue(c.item, value)) << c.item;
        EXPECT_EQ(c.value, value) << c.item;
    }
    double untouched = -1;
    EXPECT_FALSE(VoteItemValue("no colon 5", untouched));
    EXPECT_EQ(-1, untouched);
}
