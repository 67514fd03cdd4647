// The vote service's address.
#include <gtest/gtest.h>

#include "common/logwindow/test/LogPageStandIn.h"
#include "textvote/vote/VoteQuery.h"

TEST(VoteQuery, TheAddressCarriesTheCampaignTheStartAndAFarEnd)
{
    EXPECT_EQ(L"http://votes.example/stats/listtextmsgstats.php?campaignid=755&starttime=20260304050607"
              L"&endtime=20991231235959&maxvotes=all&reversesort=false&unique=-12",
              BuildVoteQuery(L"http://votes.example/stats", L"755", MakeLocalTime(2026, 3, 4, 5, 6, 7, 0), false, -12));
    EXPECT_EQ(L"h/listtextmsgstats.php?campaignid=1&starttime=20291231235959"
              L"&endtime=20991231235959&maxvotes=all&reversesort=true&unique=2147483647",
              BuildVoteQuery(L"h", L"1", MakeLocalTime(2029, 12, 31, 23, 59, 59, 0), true, 2147483647));
}

TEST(VoteQuery, TheUrlIsTrimmedBeforeItLosesOneTrailingBackslash)
{
    struct Case { const wchar_t* url; const wchar_t* cleaned; };
    const Case cases[] = {
        {L"http://h\\", L"http://h"},
        {L"  http://h\\ \t", L"http://h"},    // the backslash behind a space goes too
        {L"http://h\\\\", L"http://h\\"},      // only one
        {L"http://h/", L"http://h/"},          // a slash stays: two before the page
        {L"\\", L""},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.cleaned, CleanServiceUrl(c.url)) << testing::PrintToString(std::wstring(c.url));
    EXPECT_EQ(0u, BuildVoteQuery(L"http://h/", L"7", MakeLocalTime(2026, 1, 1, 0, 0, 0, 0), false, 0)
                      .find(L"http://h//listtextmsgstats.php?"));
}

TEST(VoteQuery, ACampaignIdCannotStartAnotherQueryField)
{
    struct Case { const wchar_t* id; const wchar_t* encoded; };
    const Case cases[] = {
        {L"755", L"755"},
        {L"a-b_c.d~", L"a-b_c.d~"},
        {L"7&maxvotes=1", L"7%26maxvotes%3D1"},
        {L"a b#c", L"a%20b%23c"},
        {L"1\r\nHost: x", L"1%0D%0AHost%3A%20x"},
        {L"\u00e9", L"%C3%A9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.encoded, PercentEncodeQueryValue(c.id)) << testing::PrintToString(std::wstring(c.id));
}
