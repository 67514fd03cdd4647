// The chart editor as the host shows it: Plotvane.ocx registered, started,
// its menu item run; the editor inside the host's frame is driven through
// its windows and the scene's chart document is read back after each change.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <functional>
#include <map>
#include <set>
#include <memory>
#include <vector>

#include "chartcontrol/QuillonIds.h"
#include "charteditor/test/ChartDocumentTestSupport.h"
#include "charteditor/ChartEditorIds.h"
#include "base/com/RefPtr.h"
#include "common/logwindow/LogDialogIds.h"
#include "base/win/UniqueHandle.h"
#include "testing/comreg/ServerRegistrationTestSupport.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/uitest/ComboBoxes.h"
#include "testing/uitest/ModalDriver.h"
#include "testing/uitest/PumpUntil.h"

namespace {

// The first window below `top` that matches.
HWND FindDescendant(HWND top, const std::function<bool(HWND)>& match)
{
    struct Search {
        const std::function<bool(HWND)>& match;
        HWND found;
        static BOOL CALLBACK Visit(HWND window, LPARAM data)
        {
            auto& search = *reinterpret_cast<Search*>(data);
            if (!search.match(window))
                return TRUE;
            search.found = window;
            return FALSE;
        }
    } search{match, nullptr};
    ::EnumChildWindows(top, &Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendant(HWND top, int id)
{
    return FindDescendant(top, [id](HWND window) { return ::GetDlgCtrlID(window) == id; });
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

std::vector<std::wstring> TabTexts(HWND tabs)
{
    std::vector<std::wstring> texts;
    const int count = static_cast<int>(::SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

RECT RectInParent(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class ChartEditorTest : public SimHostFixture {
protected:
    static void SetUpTestSuite()
    {
        s_registration = std::make_unique<CScopedServerRegistration>(TestModuleFolder() + L"Plotvane.ocx");
    }
    static void TearDownTestSuite() { s_registration.reset(); }

    void SetUp() override
    {
        SimHostFixture::SetUp();
        ASSERT_HRESULT_SUCCEEDED(s_registration->Result());
        // The host's frames live in its client area, as in the real host.
        m_area.Reset(::CreateWindowExW(0, L"STATIC", L"Lyric", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900,
                                       700, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr));
        host.SetFrameArea(m_area.Get());
        host.AddNode(scene, L"Pie", 0);
        host.AddNode(scene, L"Pie 2", 0);
        host.AddNode(scene, L"Line", 32);
        ASSERT_HRESULT_SUCCEEDED(host.LoadControl(kQuillonProgId, m_menuControl));
        ASSERT_TRUE(host.InitializeControl(m_menuControl.Get()));
    }
    void TearDown() override
    {
        host.CloseControls();
        m_menuControl.Reset();
        m_area.Reset();
        SimHostFixture::TearDown();
    }

    // Runs the menu item; the editor's windows are then found below the host's frame.
    void OpenEditor()
    {
        ASSERT_HRESULT_SUCCEEDED(host.RunMenuItem(L"Plotvane", L"OnQuillon"));
        ASSERT_EQ(1u, host.FrameWindows().size());
        hostFrame = host.FrameWindows()[0].frame;
        control = host.FrameWindows()[0].control.Get();
        frame = FindDescendant(hostFrame, [](HWND window) { return TextOf(window) == L"QuillonFrame"; });
        ASSERT_NE(nullptr, frame) << "no editor frame in the host's frame";
        editor = ::GetParent(frame);
        view = ::GetDlgItem(frame, 0xE900);
        ASSERT_NE(nullptr, view);
        pie = ::GetParent(FindDescendant(frame, IDC_PIE_START_FRAME));
        ASSERT_NE(nullptr, pie);
    }
    HWND Item(int id) const { return ::GetDlgItem(pie, id); }
    HRESULT CallEditorControl(const std::wstring& name, CSimValue argument)
    {
        return host.CallControl(control, name, DISPATCH_METHOD, {argument}, nullptr);
    }

    HWND hostFrame = nullptr;
    IDispatch* control = nullptr;  // the control in the host's frame
    HWND editor = nullptr;
    HWND frame = nullptr;
    HWND view = nullptr;
    HWND pie = nullptr;

private:
    static std::unique_ptr<CScopedServerRegistration> s_registration;
    UniqueWindow m_area;
    RefPtr<IDispatch> m_menuControl;
};
std::unique_ptr<CScopedServerRegistration> ChartEditorTest::s_registration;

const Attributes kStored = {{L"groupname", L"pie"},   {L"transitionname", L"Gone"}, {L"startframe", L"5"},
                            {L"endframe", L"40"},     {L"ordering", L"Leader Last"}, {L"enable", L"1"}};

TEST_F(ChartEditorTest, TheMenuItemOpensTheEditorWithItsTabsAndThePiePageShowsTheStoredDocument)
{
    StoreChartElement(host, L"PieChart", kStored);
    const std::vector<BYTE> before = StoredChartBytes(host);
    ASSERT_NO_FATAL_FAILURE(OpenEditor());

    EXPECT_EQ((std::vector<std::wstring>{L"Charts", L"Log"}), TabTexts(::GetDlgItem(view, IDC_VIEW_TABS)));
    EXPECT_EQ((std::vector<std::wstring>{L"Pie"}), TabTexts(::GetParent(pie)));
    EXPECT_TRUE(::IsWindowVisible(pie));

    // A stored name the lists lack is added as it is: "pie" is not "Pie".
    EXPECT_EQ(L"pie", ComboSelection(Item(IDC_CHART_GROUP)));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"pie"}), ComboItemSet(Item(IDC_CHART_GROUP)));
    EXPECT_EQ(L"Gone", ComboSelection(Item(IDC_CHART_TRANSITION)));
    EXPECT_EQ(L"5", TextOf(Item(IDC_PIE_START_FRAME)));
    EXPECT_EQ(L"40", TextOf(Item(IDC_PIE_END_FRAME)));
    EXPECT_EQ(L"Leader Last", ComboSelection(Item(IDC_PIE_ORDERING)));
    EXPECT_EQ(BST_CHECKED, ::SendMessageW(Item(IDC_CHART_ENABLE), BM_GETCHECK, 0, 0));

    // Opening the lists offers the scene's names but changes no value.
    DropDown(Item(IDC_CHART_GROUP));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"Pie", L"pie", L"Pie 2"}), ComboItemSet(Item(IDC_CHART_GROUP)))
        << "type-0 nodes and the stored name";
    EXPECT_EQ(L"pie", ComboSelection(Item(IDC_CHART_GROUP)));
    DropDown(Item(IDC_CHART_TRANSITION));
    EXPECT_EQ(L"Gone", ComboSelection(Item(IDC_CHART_TRANSITION)));

    // Loading and looking wrote nothing, and closing writes nothing either.
    EXPECT_EQ(before, StoredChartBytes(host));
    ::DestroyWindow(hostFrame);
    EXPECT_EQ(before, StoredChartBytes(host));
}

TEST_F(ChartEditorTest, EveryChangeOfAPieControlRewritesTheScenesDocument)
{
    StoreChartElement(host, L"PieChart", kStored);
    ASSERT_NO_FATAL_FAILURE(OpenEditor());
    Attributes expected = kStored;
    struct Step {
        const char* what;
        std::function<void()> act;
        const wchar_t* attribute;
        const wchar_t* value;
    };
    const Step steps[] = {
        {"typing 2", [&] { ::SetWindowTextW(Item(IDC_PIE_START_FRAME), L"2"); }, L"startframe", L"2"},
        {"then 25", [&] { ::SetWindowTextW(Item(IDC_PIE_START_FRAME), L"25"); }, L"startframe", L"25"},
        {"an end frame", [&] { ::SetWindowTextW(Item(IDC_PIE_END_FRAME), L"7"); }, L"endframe", L"7"},
        {"emptying it keeps it", [&] { ::SetWindowTextW(Item(IDC_PIE_END_FRAME), L""); }, L"endframe", L"7"},
        {"another group",
         [&] {
             DropDown(Item(IDC_CHART_GROUP));
             Pick(Item(IDC_CHART_GROUP), L"Pie 2");
         },
         L"groupname", L"Pie 2"},
        {"a transition of the scene",
         [&] {
             DropDown(Item(IDC_CHART_TRANSITION));
             Pick(Item(IDC_CHART_TRANSITION), L"Out");
         },
         L"transitionname", L"Out"},
        {"an ordering", [&] { Pick(Item(IDC_PIE_ORDERING), L"None"); }, L"ordering", L"None"},
        {"Enable", [&] { ::SendMessageW(Item(IDC_CHART_ENABLE), BM_CLICK, 0, 0); }, L"enable", L"0"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        expected[step.attribute] = step.value;
        EXPECT_EQ(expected, StoredChartElement(host, L"PieChart"));
    }
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"In", L"Out", L"Gone"}), ComboItemSet(Item(IDC_CHART_TRANSITION)));

    // Text that is no number: the message, the frame kept, the rest saved.
    std::wstring message;
    CModalDriver driver({[&] {
        const HWND box = CModalDriver::FindDialog([](HWND) { return true; });
        if (!box)
            return false;
        message = CModalDriver::StaticTexts(box);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    }});
    ::SendMessageW(Item(IDC_CHART_ENABLE), BM_SETCHECK, BST_CHECKED, 0);
    ::SetWindowTextW(Item(IDC_PIE_START_FRAME), L"2x");
    EXPECT_TRUE(driver.Done() && !driver.TimedOut());
    EXPECT_EQ(L"Please enter an integer.", message);
    expected[L"enable"] = L"1";
    EXPECT_EQ(expected, StoredChartElement(host, L"PieChart"));
}

TEST_F(ChartEditorTest, WithoutAPieChartThePageShowsTheDefaultsAndItsFirstChangeWritesAllSix)
{
    host.AddScene(L"Bare");  // shown now: no chart document, no transitions
    ASSERT_NO_FATAL_FAILURE(OpenEditor());
    EXPECT_EQ(L"<Not Selected>", ComboSelection(Item(IDC_CHART_GROUP)));
    EXPECT_EQ(L"<Not Selected>", ComboSelection(Item(IDC_CHART_TRANSITION)));
    EXPECT_EQ(L"0", TextOf(Item(IDC_PIE_START_FRAME)));
    EXPECT_EQ(L"0", TextOf(Item(IDC_PIE_END_FRAME)));
    EXPECT_EQ(L"Leader First", ComboSelection(Item(IDC_PIE_ORDERING)));
    EXPECT_EQ(BST_UNCHECKED, ::SendMessageW(Item(IDC_CHART_ENABLE), BM_GETCHECK, 0, 0));
    EXPECT_EQ((Attributes{{L"(none)", L""}}), StoredChartElement(host, L"PieChart"));

    DropDown(Item(IDC_CHART_TRANSITION));
    EXPECT_EQ((std::multiset<std::wstring>{L"<Not Selected>", L"Default"}), ComboItemSet(Item(IDC_CHART_TRANSITION)));

    ::SendMessageW(Item(IDC_CHART_ENABLE), BM_CLICK, 0, 0);
    EXPECT_EQ((Attributes{{L"groupname", L"<Not Selected>"},
                          {L"transitionname", L"<Not Selected>"},
                          {L"startframe", L"0"},
                          {L"endframe", L"0"},
                          {L"ordering", L"Leader First"},
                          {L"enable", L"1"}}),
              StoredChartElement(host, L"PieChart"));
}

TEST_F(ChartEditorTest, TheEditorFollowsTheHostFrameReloadsOnEventZeroAndStoresTheFramesPlaceOnClose)
{
    StoreChartElement(host, L"PieChart", kStored);
    ASSERT_NO_FATAL_FAILURE(OpenEditor());
    ::MoveWindow(hostFrame, 15, 25, 520, 410, TRUE);
    RECT client{};
    ::GetClientRect(editor, &client);
    ASSERT_GT(client.right, 100);
    const RECT placed = RectInParent(frame);
    EXPECT_EQ((std::vector<LONG>{2, 48, client.right - 4, client.bottom - 50}),
              (std::vector<LONG>{placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top}));
    const RECT logo = RectInParent(FindDescendant(editor, IDC_QUILLON_LOGO));
    EXPECT_EQ(client.right - 8, logo.right);
    EXPECT_EQ(3, logo.top);

    // Host event 0: the pages load the active scene's document again.
    Attributes changed = kStored;
    changed[L"startframe"] = L"77";
    StoreChartElement(host, L"PieChart", changed);
    EXPECT_HRESULT_SUCCEEDED(CallEditorControl(L"LyricEvent", CSimValue(1L)));
    EXPECT_EQ(L"5", TextOf(Item(IDC_PIE_START_FRAME)));
    EXPECT_HRESULT_SUCCEEDED(CallEditorControl(L"LyricEvent", CSimValue(0L)));
    EXPECT_EQ(L"77", TextOf(Item(IDC_PIE_START_FRAME)));

    host.ClearLog();
    ::DestroyWindow(hostFrame);
    EXPECT_EQ((std::vector<std::wstring>{L"SetRegistry \"Quillon\" \"FrameLeft\" \"15\"",
                                         L"SetRegistry \"Quillon\" \"FrameTop\" \"25\"",
                                         L"SetRegistry \"Quillon\" \"FrameWidth\" \"520\"",
                                         L"SetRegistry \"Quillon\" \"FrameHeight\" \"410\""}),
              CallsOf(host, L"Application"));
}

// The host's loop hands every key to the in-place control first: keys of the
// editor's windows must do there what a dialog's keys do.
TEST_F(ChartEditorTest, KeysOfTheEditorReachItsPagesThroughTheControl)
{
    ASSERT_NO_FATAL_FAILURE(OpenEditor());
    RefPtr<IOleInPlaceActiveObject> active;
    ASSERT_HRESULT_SUCCEEDED(control->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(active.Put())));
    const auto key = [&](HWND window, WPARAM code) {
        MSG message{window, WM_KEYDOWN, code, 0, 0, {}};
        return active->TranslateAccelerator(&message);
    };

    ::SetFocus(Item(IDC_PIE_START_FRAME));
    ASSERT_EQ(Item(IDC_PIE_START_FRAME), ::GetFocus());
    EXPECT_EQ(S_OK, key(Item(IDC_PIE_START_FRAME), VK_TAB));
    EXPECT_EQ(Item(IDC_PIE_END_FRAME), ::GetFocus()) << "Tab moves to the next control of the page";
    EXPECT_EQ(S_OK, key(Item(IDC_PIE_END_FRAME), VK_RETURN));
    EXPECT_EQ(S_OK, key(Item(IDC_PIE_END_FRAME), VK_ESCAPE));
    EXPECT_TRUE(::IsWindowVisible(pie)) << "Enter and Escape do not end the page";

    EXPECT_EQ(S_FALSE, key(hostFrame, VK_TAB)) << "the host's own windows are the host's";
    EXPECT_EQ(E_POINTER, active->TranslateAccelerator(nullptr));
}

TEST_F(ChartEditorTest, TheLogTabShowsTheLinesOfARefresh)
{
    ASSERT_NO_FATAL_FAILURE(OpenEditor());
    const HWND log = FindDescendant(view, IDC_LOG_EDIT);
    ASSERT_NE(nullptr, log);
    EXPECT_HRESULT_SUCCEEDED(CallEditorControl(L"UpdateChart", CSimValue(std::wstring(L"refresh"))));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(log).find(L" - UpdateCharts") != std::wstring::npos; }))
        << testing::PrintToString(TextOf(log));
}

}  // namespace
