// The stand-in line-chart library records calls in order and keeps the
// points of a reply, as a chart test reads them afterwards.
#include <gtest/gtest.h>

#include "chartcontrol/Trellan.h"
#include "common/xml/XmlParse.h"
#include "testing/trellan/TrellanRecording.h"

namespace {

TEST(TrellanStandIn, RecordsEveryCallAndKeepsTheRepliesPoints)
{
    TrellanReset();
    CXmlNodePtr reply;
    ASSERT_HRESULT_SUCCEEDED(ParseXmlText(
        L"<response status=\"ok\"><data count=\"2\">"
        L"<entry totaldays=\"39813.500000\" value=\"5\"/><entry totaldays=\"39814.000000\" value=\"7.26\"/>"
        L"</data></response>",
        reply));
    CXmlNodePtr response = CXmlNodePtr::Adopt(reply->FindChildAtLastSegment(L"Response", 0));
    ASSERT_TRUE(response);
    const wchar_t guid[] = L"{4F1D2C3B-0A9E-4B8D-9C7F-6E5D4C3B2A19}";
    SetPoints(guid, response.Get());
    LabelCount(guid, 4, 3);
    RegisterLabel(guid, 0, L"Dow.x1", 0);
    EnableLocateLabels(guid, 1);
    SetTrellanRedraw(guid, 1);

    const std::vector<std::wstring> expected = {
        L"SetPoints({4F1D2C3B-0A9E-4B8D-9C7F-6E5D4C3B2A19}, 2 points)",
        L"LabelCount({4F1D2C3B-0A9E-4B8D-9C7F-6E5D4C3B2A19}, 4, 3)",
        L"RegisterLabel({4F1D2C3B-0A9E-4B8D-9C7F-6E5D4C3B2A19}, 0, Dow.x1, 0)",
        L"EnableLocateLabels({4F1D2C3B-0A9E-4B8D-9C7F-6E5D4C3B2A19}, 1)",
        L"SetTrellanRedraw({4F1D2C3B-0A9E-4B8D-9C7F-6E5D4C3B2A19}, 1)"};
    EXPECT_EQ(expected, TrellanCalls());
    const std::vector<TrellanPointValue> points = TrellanPoints(guid);
    ASSERT_EQ(2u, points.size());
    EXPECT_DOUBLE_EQ(39813.5, points[0].totalDays);
    EXPECT_DOUBLE_EQ(7.26, points[1].value);
    EXPECT_TRUE(TrellanPoints(L"{other}").empty());

    SetPoints(nullptr, nullptr);  // nothing to read, nothing kept, no crash
    EXPECT_EQ(L"SetPoints((null), 0 points)", TrellanCalls().back());
    TrellanReset();
    EXPECT_EQ(0, TrellanCallCount());
}

} // namespace
