// The bar and line chart pages on a scene of the simulated host: what they
// show of the stored element, what each control writes back (read by a
// document of the test's own), and the line chart page's two commands.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "charteditor/BarChartDialog.h"
#include "charteditor/test/ChartDocumentTestSupport.h"
#include "charteditor/ChartEditorIds.h"
#include "charteditor/ParameterTemplatesIds.h"
#include "charteditor/TrellanChartDialog.h"
#include "platform/ui/UserPrompts.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/trellan/TrellanRecording.h"
#include "testing/uitest/ComboBoxes.h"
#include "testing/uitest/ModalDriver.h"

namespace {

class ChartPagesTest : public SimHostFixture {
protected:
    void SetUp() override
    {
        SimHostFixture::SetUp();
        host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
        host.AddNode(scene, L"Bars", 0);
        host.AddNode(scene, L"Bars 2", 0);
        host.AddNode(scene, L"Sales", 32);
        host.AddNode(scene, L"Costs", 32);
        ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"pages", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    RECT{0, 0, 600, 500}, nullptr, 0));
        doc.SetApplication(host.Application());
    }
    void TearDown() override
    {
        page.reset();
        SimHostFixture::TearDown();
    }

    // The page made for the scene's document, as the Charts tab would have it.
    template <typename Page>
    void Open()
    {
        doc.LoadFromActiveScene();
        page = std::make_unique<Page>(parent.GetSafeHwnd(), &doc);
        ASSERT_NE(nullptr, page->GetSafeHwnd());
        page->OnChartUpdate(nullptr, kHintLoaded, nullptr);
    }
    HWND Item(int id) const { return page->GetItem(id); }
    bool Checked(int id) const { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }

    CWnd parent;
    CQuillonDoc doc;
    std::unique_ptr<CChartSettingsPage> page;
};

// A change of a control and the attribute it leaves in the stored element.
struct Change {
    const char* what;
    std::function<void()> act;
    const wchar_t* attribute;
    const wchar_t* value;
};

// Runs each change and compares the whole stored element after it.
void ExpectEachChangeStored(CSimHost& host, const wchar_t* element, Attributes expected,
                            const std::vector<Change>& changes)
{
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.act();
        expected[change.attribute] = change.value;
        EXPECT_EQ(expected, StoredChartElement(host, element));
    }
}

const Attributes kStoredBar = {{L"groupname", L"bars"},      {L"transitionname", L"Gone"},
                               {L"style", L"Stacked"},       {L"orientation", L"Horizontal"},
                               {L"chaintoprevious", L"1"},   {L"enable", L"1"},
                               {L"minscale", L"0.50000000"}, {L"maxscale", L"9.00000000"},
                               {L"minframe", L"3"},          {L"maxframe", L"60"},
                               {L"mininterp", L"1"},         {L"maxinterp", L"2"}};

TEST_F(ChartPagesTest, TheBarPageShowsTheStoredElementAndOpeningItsListsWritesNothing)
{
    StoreChartElement(host, L"BarChart", kStoredBar);
    const std::vector<BYTE> before = StoredChartBytes(host);
    ASSERT_NO_FATAL_FAILURE(Open<CBarChartDialog>());

    EXPECT_EQ(L"bars", ComboSelection(Item(IDC_CHART_GROUP))) << "a stored name the list lacks is added as it is";
    EXPECT_EQ(L"Gone", ComboSelection(Item(IDC_CHART_TRANSITION)));
    EXPECT_EQ(L"Stacked", ComboSelection(Item(IDC_BAR_STYLE)));
    EXPECT_EQ(L"Horizontal", ComboSelection(Item(IDC_BAR_ORIENTATION)));
    EXPECT_EQ((std::multiset<std::wstring>{L"Stacked", L"Individual"}), ComboItemSet(Item(IDC_BAR_STYLE)));
    EXPECT_EQ((std::multiset<std::wstring>{L"Horizontal", L"Vertical"}), ComboItemSet(Item(IDC_BAR_ORIENTATION)));
    EXPECT_TRUE(Checked(IDC_BAR_CHAIN));
    EXPECT_TRUE(Checked(IDC_CHART_ENABLE));

    DropDown(Item(IDC_CHART_GROUP));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"Bars", L"bars", L"Bars 2"}),
              ComboItemSet(Item(IDC_CHART_GROUP)))
        << "the scene's group nodes and the stored name";
    EXPECT_EQ(L"bars", ComboSelection(Item(IDC_CHART_GROUP)));
    DropDown(Item(IDC_CHART_TRANSITION));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"In", L"Out", L"Gone"}),
              ComboItemSet(Item(IDC_CHART_TRANSITION)));
    EXPECT_EQ(L"Gone", ComboSelection(Item(IDC_CHART_TRANSITION)));

    EXPECT_EQ(before, StoredChartBytes(host));
    page.reset();
    EXPECT_EQ(before, StoredChartBytes(host));
}

TEST_F(ChartPagesTest, EveryChangeOfABarControlRewritesItsAttributeAndKeepsTheChartUpdatesOnes)
{
    StoreChartElement(host, L"BarChart", kStoredBar);
    ASSERT_NO_FATAL_FAILURE(Open<CBarChartDialog>());
    ExpectEachChangeStored(
        host, L"BarChart", kStoredBar,
        {{"an orientation", [&] { Pick(Item(IDC_BAR_ORIENTATION), L"Vertical"); }, L"orientation", L"Vertical"},
         {"a style", [&] { Pick(Item(IDC_BAR_STYLE), L"Individual"); }, L"style", L"Individual"},
         {"a group",
          [&] {
              DropDown(Item(IDC_CHART_GROUP));
              Pick(Item(IDC_CHART_GROUP), L"Bars 2");
          },
          L"groupname", L"Bars 2"},
         {"a transition",
          [&] {
              DropDown(Item(IDC_CHART_TRANSITION));
              Pick(Item(IDC_CHART_TRANSITION), L"In");
          },
          L"transitionname", L"In"},
         {"Chain To Previous", [&] { Click(IDC_BAR_CHAIN); }, L"chaintoprevious", L"0"},
         {"Enable", [&] { Click(IDC_CHART_ENABLE); }, L"enable", L"0"}});
}

TEST_F(ChartPagesTest, WithoutABarChartTheBarPageShowsTheDefaultsAndItsFirstChangeWritesAllSix)
{
    host.AddScene(L"Bare");  // shown now: no chart document, no transitions
    ASSERT_NO_FATAL_FAILURE(Open<CBarChartDialog>());
    EXPECT_EQ(L"<Not Selected>", ComboSelection(Item(IDC_CHART_GROUP)));
    EXPECT_EQ(L"<Not Selected>", ComboSelection(Item(IDC_CHART_TRANSITION)));
    EXPECT_EQ(L"Individual", ComboSelection(Item(IDC_BAR_STYLE)));
    EXPECT_EQ(L"Vertical", ComboSelection(Item(IDC_BAR_ORIENTATION)));
    EXPECT_FALSE(Checked(IDC_BAR_CHAIN));
    EXPECT_FALSE(Checked(IDC_CHART_ENABLE));
    EXPECT_EQ((Attributes{{L"(none)", L""}}), StoredChartElement(host, L"BarChart"));

    DropDown(Item(IDC_CHART_TRANSITION));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"Default"}), ComboItemSet(Item(IDC_CHART_TRANSITION)));

    Click(IDC_BAR_CHAIN);
    EXPECT_EQ((Attributes{{L"groupname", L"<Not Selected>"},
                          {L"transitionname", L"<Not Selected>"},
                          {L"style", L"Individual"},
                          {L"orientation", L"Vertical"},
                          {L"chaintoprevious", L"1"},
                          {L"enable", L"0"}}),
              StoredChartElement(host, L"BarChart"));
}

// The chart update reads any orientation but "Vertical" as lying bars: a
// stored text the list lacks must survive a change of another control.
TEST_F(ChartPagesTest, AStoredStyleOrOrientationTheListsLackIsKept)
{
    StoreChartElement(host, L"BarChart", {{L"style", L"Layered"}, {L"orientation", L""}});
    ASSERT_NO_FATAL_FAILURE(Open<CBarChartDialog>());
    EXPECT_EQ(L"(none)", ComboSelection(Item(IDC_BAR_STYLE)));
    EXPECT_EQ(L"(none)", ComboSelection(Item(IDC_BAR_ORIENTATION)));
    Click(IDC_CHART_ENABLE);
    const Attributes stored = StoredChartElement(host, L"BarChart");
    EXPECT_EQ(L"Layered", stored.at(L"style"));
    EXPECT_EQ(L"", stored.at(L"orientation"));
}

const Attributes kStoredLine = {{L"nodename", L"Sales"}, {L"transitionname", L"Out"}, {L"enable", L"1"}};

TEST_F(ChartPagesTest, TheLinePageShowsTheStoredElementOffersLineChartNodesAndSavesEachChange)
{
    StoreChartElement(host, L"Trellan", kStoredLine);
    const std::vector<BYTE> before = StoredChartBytes(host);
    ASSERT_NO_FATAL_FAILURE(Open<CTrellanChartDialog>());

    EXPECT_EQ(L"Sales", ComboSelection(Item(IDC_LINE_NODE)));
    EXPECT_EQ(L"Out", ComboSelection(Item(IDC_CHART_TRANSITION)));
    EXPECT_TRUE(Checked(IDC_CHART_ENABLE));
    EXPECT_FALSE(Checked(IDC_LINE_REDRAW));
    DropDown(Item(IDC_LINE_NODE));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"Costs", L"Sales"}), ComboItemSet(Item(IDC_LINE_NODE)))
        << "the scene's line-chart nodes";
    DropDown(Item(IDC_CHART_TRANSITION));
    Click(IDC_LINE_REDRAW);
    EXPECT_TRUE(Checked(IDC_LINE_REDRAW));
    EXPECT_EQ(before, StoredChartBytes(host)) << "loading, the lists and Redraw write nothing";

    ExpectEachChangeStored(host, L"Trellan", kStoredLine,
                           {{"a node", [&] { Pick(Item(IDC_LINE_NODE), L"Costs"); }, L"nodename", L"Costs"},
                            {"a transition", [&] { Pick(Item(IDC_CHART_TRANSITION), L"In"); }, L"transitionname", L"In"},
                            {"Enable", [&] { Click(IDC_CHART_ENABLE); }, L"enable", L"0"}});
}

TEST_F(ChartPagesTest, AddParamTemplatesWantsALineChartNodeInAnyCase)
{
    for (const wchar_t* stored : {L"<Not Selected>", L"<not selected>", L"<NOT SELECTED>"}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(stored)));
        StoreChartElement(host, L"Trellan", {{L"nodename", stored}});
        ASSERT_NO_FATAL_FAILURE(Open<CTrellanChartDialog>());
        ASSERT_EQ(stored, ComboSelection(Item(IDC_LINE_NODE)));
        std::vector<std::wstring> messages;
        ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        bool opened = false;  // a dialog that comes anyway is closed again
        CModalDriver driver({[&] {
            const HWND dialog = CModalDriver::FindDialog(L"Make Group");
            if (dialog) {
                opened = true;
                ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
            return dialog != nullptr;
        }});
        Click(IDC_LINE_ADD_TEMPLATES);
        EXPECT_EQ(std::vector<std::wstring>{L"First select a Line Chart node"}, messages);
        EXPECT_FALSE(opened);
    }
}

TEST_F(ChartPagesTest, AddParamTemplatesOpensMakeGroupForTheChosenNode)
{
    StoreChartElement(host, L"Trellan", kStoredLine);
    ASSERT_NO_FATAL_FAILURE(Open<CTrellanChartDialog>());
    const std::vector<std::wstring> nodesBefore = [&] {
        std::vector<std::wstring> names;
        for (const CSimNode* node : scene.nodes)
            names.push_back(node->name);
        return names;
    }();
    std::wstring offered;
    CModalDriver driver({[&] {
        const HWND dialog = CModalDriver::FindDialog(L"Make Group");
        if (!dialog)
            return false;
        offered = WindowTitle(::GetDlgItem(dialog, IDC_TEMPLATE_NODE_NAME));
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    }});
    Click(IDC_LINE_ADD_TEMPLATES);
    EXPECT_TRUE(driver.Done() && !driver.TimedOut());
    EXPECT_EQ(L"Sales", offered);
    std::vector<std::wstring> nodesAfter;
    for (const CSimNode* node : scene.nodes)
        nodesAfter.push_back(node->name);
    EXPECT_EQ(nodesBefore, nodesAfter) << "Cancel imports nothing";
}

class MakeLabelKeyframesTest : public ChartPagesTest {
protected:
    void SetUp() override
    {
        ChartPagesTest::SetUp();
        scene.animationLength = 3;
        TrellanReset();
        host.ClearLog();
        // The line-chart library's calls so far, at each frame the canvas is set to.
        host.SetCallHook([this](const SimCallRecord& call) {
            if (call.className == L"Canvas" && call.member == L"SetFrame")
                callsAtFrames.push_back(TrellanCalls());
        });
    }
    void TearDown() override
    {
        host.SetCallHook(nullptr);
        ChartPagesTest::TearDown();
    }
    // Presses the button; the messages it shows.
    std::vector<std::wstring> MakeLabelKeyframes()
    {
        std::vector<std::wstring> messages;
        ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        Click(IDC_LINE_LABEL_KEYFRAMES);
        return messages;
    }

    std::vector<std::vector<std::wstring>> callsAtFrames;
};

const std::vector<std::wstring> kLocatingOn = {L"SetTrellanRedraw( , 1)", L"EnableLocateLabels( , 1)"};
const std::vector<std::wstring> kLocatingOnAndOff = {L"SetTrellanRedraw( , 1)", L"EnableLocateLabels( , 1)",
                                                     L"SetTrellanRedraw( , 0)", L"EnableLocateLabels( , 0)"};

TEST_F(MakeLabelKeyframesTest, PlaysTheTransitionFrameByFrameWithEveryChartLocatingItsLabels)
{
    StoreChartElement(host, L"Trellan", kStoredLine);
    ASSERT_NO_FATAL_FAILURE(Open<CTrellanChartDialog>());
    host.ClearLog();
    EXPECT_EQ(std::vector<std::wstring>{}, MakeLabelKeyframes());
    EXPECT_EQ(L"Out", scene.activeTransition);
    EXPECT_EQ((std::vector<std::wstring>{L"Activate"}), CallsOf(host, L"Transition"));
    EXPECT_EQ((std::vector<std::wstring>{L"Scene", L"FrameCount", L"SetFrame \"0\"", L"SetFrame \"1\"",
                                         L"SetFrame \"2\""}),
              CallsOf(host, L"Canvas"));
    EXPECT_EQ((std::vector<std::vector<std::wstring>>{kLocatingOn, kLocatingOn, kLocatingOn}), callsAtFrames);
    EXPECT_EQ(kLocatingOnAndOff, TrellanCalls());
}

TEST_F(MakeLabelKeyframesTest, ATransitionTheSceneLacksIsToldAndChangesNothing)
{
    StoreChartElement(host, L"Trellan", {{L"transitionname", L"Gone"}});
    ASSERT_NO_FATAL_FAILURE(Open<CTrellanChartDialog>());
    EXPECT_EQ(std::vector<std::wstring>{L"Cannot find transition Gone"}, MakeLabelKeyframes());
    EXPECT_EQ(std::vector<std::wstring>{}, CallsOf(host, L"Transition"));
    EXPECT_TRUE(callsAtFrames.empty());
    EXPECT_EQ(std::vector<std::wstring>{}, TrellanCalls());
}

TEST_F(MakeLabelKeyframesTest, AHostErrorBetweenTheFramesShowsItAndSwitchesTheLocatingOffAgain)
{
    StoreChartElement(host, L"Trellan", kStoredLine);
    ASSERT_NO_FATAL_FAILURE(Open<CTrellanChartDialog>());
    host.InjectError(L"Canvas", L"SetFrame", L"The canvas is busy");
    EXPECT_EQ(std::vector<std::wstring>{L"The canvas is busy"}, MakeLabelKeyframes());
    EXPECT_EQ(kLocatingOnAndOff, TrellanCalls());
}

}  // namespace
