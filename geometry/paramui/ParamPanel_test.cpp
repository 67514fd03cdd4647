// The generic panel over maps other than the carried one, and the option
// list of a menu row.
#include <gtest/gtest.h>

#include <string>

#include "geometry/paramui/GeoPluginDialog.h"
#include "geometry/paramui/ParamUiResources.h"
#include "geometry/paramui/PopupTrack.h"
#include "testing/geohost/ParamPanelDriver.h"
#include "testing/geohost/StandInHostPanel.h"
#include "testing/geohost/StandInParamLink.h"

namespace {

class CTestPanel : public CGeoPluginDialog {
public:
    // Deletes itself with its window.
    static HWND Open(HWND parent, const CParamMap& map, IGeoParamLink* link)
    {
        auto* panel = new CTestPanel(parent, map, link);
        if (panel->Create())
            return panel->GetSafeHwnd();
        delete panel;
        return nullptr;
    }

private:
    CTestPanel(HWND parent, const CParamMap& map, IGeoParamLink* link)
        : CGeoPluginDialog(IDD_PARAM_PANEL, parent, map, link)
    {
    }
};

TEST(PopupTrack, OptionsSplitAtBarsAndSeparatorsCannotBeChosen)
{
    CWnd noListBox;
    const struct {
        std::wstring text;
        std::vector<std::wstring> options;
    } cases[] = {
        {L"a|b||c|", {L"a", L"b", L"", L"c"}},
        {L"a|(-|b", {L"a", L"(-", L"b"}},
        {L"|", {L""}},
        {L"", {}},
        {std::wstring(1030, L'x') + L"|y", {std::wstring(1020, L'x'), L"y"}},
    };
    for (const auto& c : cases) {
        int value = 1;
        CAEPopupTrack row(noListBox, L"Row", &value, c.text, 1, kTrackNoAnimation);
        EXPECT_EQ(c.options, row.Options());
    }

    int value = 1;
    CAEPopupTrack row(noListBox, L"Row", &value, L"a|(-|b", 1, kTrackNoAnimation);
    for (const UINT command : {1002u, 1004u, 1000u, 0u}) {
        row.OnMenuCommand(command);
        EXPECT_EQ(1, value) << command;
    }
    row.OnMenuCommand(1003);
    EXPECT_EQ(3, value);
    for (const int outside : {0, 4, -7}) {
        value = outside;
        EXPECT_EQ(0u, row.CurrentOption()) << outside;
    }
}

class OddMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.IsCreated());
        const std::string text =
            "<GeoPlugin name=\"T\">"
            // Outside every group: nowhere to go.
            "<Param name=\"Loose\" id=\"1\" type=\"boolean\"/>"
            "<ParamGroup name=\"Main\">"
            "<Param name=\"A\" id=\"2\" type=\"boolean\"/>"
            "<Param name=\"Untyped\" id=\"3\"/>"
            "<Param id=\"4\" type=\"boolean\"/>"
            "<Param name=\"Custom\" id=\"5\" type=\"custom\"/>"
            "<ParamGroup name=\"G1\"><ParamGroup name=\"G2\">"
            "<Param name=\"Deep\" id=\"6\" type=\"boolean\"/>"
            "</ParamGroup>"
            "<Param name=\"Fine\" id=\"7\" type=\"double\" minValue=\"0\" maxValue=\"1\" decimalPlaces=\"40\"/>"
            "</ParamGroup></ParamGroup>"
            "<ParamGroup name=\"Second\"><Param name=\"B\" id=\"8\" type=\"boolean\"/></ParamGroup>"
            "</GeoPlugin>";
        ASSERT_TRUE(m_map.LoadFromBytes(text.data(), text.size()));
    }

    CStandInHostPanel m_host;
    CStandInGeoObject m_object;
    CStandInParamLink m_link{m_object, m_host.WindowObject()};
    CParamMap m_map;
};

TEST_F(OddMapTest, RowsWithoutAPlaceAreLeftOut)
{
    HWND panel = CTestPanel::Open(m_host.Panel(), m_map, &m_link);
    ASSERT_NE(nullptr, panel);
    const CParamPanelDriver driver(panel);
    driver.Settle();
    // A second top group becomes the first row.
    ASSERT_EQ(2, driver.Count());
    driver.ClickAndSettle(driver.Triangle(1, 0));
    EXPECT_EQ(4, driver.Count()) << "A and G1 only";
    driver.ClickAndSettle(driver.Triangle(3, 1));
    EXPECT_EQ(6, driver.Count()) << "G2 and Fine";
    driver.ClickAndSettle(driver.Triangle(4, 2));
    EXPECT_EQ(7, driver.Count()) << "Deep";

    // Decimals beyond what a double holds are cut to 15.
    driver.ClickAndSettle(driver.ValueText(6));
    EXPECT_EQ(L"0.000000000000000", driver.EditorText());

    driver.ClickAndSettle(driver.CheckBox(5));
    EXPECT_EQ(std::vector<std::string>{"set 6 1 7"}, m_link.Writes());
    m_host.Destroy();
}

}  // namespace
