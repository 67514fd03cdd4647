// The parameter panel and the Shape Maker of Vantre.dll, driven through the
// stand-in host the way the host and a user drive them. Built twice, as
// host builds 1410 and 1411: only the newer brackets outline writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testing/geohost/MeshPictures.h"
#include "testing/geohost/ParamPanelDriver.h"
#include "testing/geohost/StandInGeoObject.h"
#include "testing/geohost/StandInHostPanel.h"
#include "testing/geohost/StandInParamLink.h"
#include "testing/geohost/VantreLibrary.h"
#include "testing/uitest/FileDialogDriver.h"
#include "testing/uitest/PopupMenuDriver.h"
#include "testing/uitest/ThreadWindows.h"

namespace {

constexpr bool kBracketing = VANTRE_TEST_HOST_BUILD > 1410;

// Entries of the expanded panel, in the map's order.
enum Entry : int {
    kMainEntry = 0, kEnabledEntry, kBottomXZEntry, kBottomOffsetEntry, kTessellationEntry, kShapeEntry,
    kEnableChangeEntry, kChangeFramesEntry, kLimitsEntry, kLinkValuesEntry,
};

constexpr int kBarLeft = CParamPanelDriver::kBarLeft, kBarRight = CParamPanelDriver::kBarRight;

// One logged link write, compared with a tolerance for the coordinates.
struct Write {
    const char* op;   // "set" or "updates"
    int id;
    double value;
    int kind;
};

Write Set(int id, double value, int kind = 0) { return {"set", id, value, kind}; }

// The writes of one run: bracketed by EnableUpdates on newer hosts, with
// only the last value after the closing bracket.
std::vector<Write> WriteRun(std::vector<Write> writes)
{
    if (!kBracketing)
        return writes;
    writes.insert(writes.begin(), {"updates", 0, 0, 0});
    writes.insert(writes.end() - 1, {"updates", 1, 0, 0});
    return writes;
}

std::vector<Write> Then(std::vector<Write> first, const std::vector<Write>& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

::testing::AssertionResult WritesAre(const std::vector<std::string>& actual, const std::vector<Write>& expected)
{
    std::string listed;
    for (const std::string& line : actual)
        listed += "\n  " + line;
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << expected.size() << " writes expected, got:" << listed;
    for (size_t i = 0; i < actual.size(); ++i) {
        char op[16] = {};
        int id = -1, kind = -1;
        double value = 0;
        const Write& want = expected[i];
        bool same = false;
        if (std::string(want.op) == "updates")
            same = actual[i] == "updates " + std::to_string(want.id);
        else if (sscanf(actual[i].c_str(), "%15s %d %lf %d", op, &id, &value, &kind) == 4)
            same = std::string(op) == "set" && id == want.id && kind == want.kind &&
                   std::fabs(value - want.value) < 1e-4;
        if (!same)
            return ::testing::AssertionFailure() << "write " << i << " differs from " << want.op << " " << want.id
                                                 << " " << want.value << " " << want.kind << ":" << listed;
    }
    return ::testing::AssertionSuccess();
}

void DrainMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The Shape Maker's drawing area at zoom 1: shape (x, y) is the pixel
// ((x + 1) W / 2, (y + 1) H / 2).
class CShapeArea {
public:
    explicit CShapeArea(HWND shapeMaker) : m_area(GetDlgItem(shapeMaker, 1000))
    {
        GetClientRect(m_area, &m_client);
    }
    HWND Window() const { return m_area; }
    POINT Pixel(double x, double y) const
    {
        return {static_cast<LONG>(std::lround((x + 1) * m_client.right / 2)),
                static_cast<LONG>(std::lround((y + 1) * m_client.bottom / 2))};
    }
    // Where a pixel lands in the shape, as the area maps it.
    double X(POINT p) const { return static_cast<float>(2.0 * p.x / m_client.right - 1.0); }
    double Y(POINT p) const { return static_cast<float>(2.0 * p.y / m_client.bottom - 1.0); }

    void Drag(POINT from, POINT to) const
    {
        SendMessageW(m_area, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        SendMessageW(m_area, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        SendMessageW(m_area, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    PopupMenuSeen RightClick(POINT at, UINT choose) const
    {
        const PopupMenuSeen seen = ChooseFromPopupMenu(
            [&] { SendMessageW(m_area, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y)); }, choose);
        DrainMessages();
        return seen;
    }

private:
    HWND m_area;
    RECT m_client{};
};

enum ShapeCommand : UINT {
    kAddPoint = 32772, kBrokenSpline = 32773, kSpline = 32774, kLinear = 32775, kDelete = 32776,
};

class PanelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_vantre = std::make_unique<CVantreLibrary>(); }
    static void TearDownTestSuite() { s_vantre.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_vantre->IsLoaded());
        m_host = std::make_unique<CStandInHostPanel>();
        ASSERT_TRUE(m_host->IsCreated());
        m_bar = NewBar();
        m_link = std::make_unique<CStandInParamLink>(*m_bar, m_host->WindowObject());
    }
    void TearDown() override
    {
        // The host closes its panel; the plug-in's panel goes with it.
        m_host.reset();
        DrainMessages();
    }

    static CVantreLibrary& Vantre() { return *s_vantre; }

    static std::unique_ptr<CStandInGeoObject> NewBar()
    {
        auto bar = std::make_unique<CStandInGeoObject>();
        Vantre().InitializeParamMap(bar.get());
        return bar;
    }

    // The host asks for the panel of m_bar.
    HWND OpenPanel()
    {
        HWND panel = Vantre().GetParamDialog(m_link.get());
        if (panel) {
            m_panel = std::make_unique<CParamPanelDriver>(panel);
            m_panel->Settle();
        }
        return panel;
    }

    void OpenExpanded()
    {
        ASSERT_NE(nullptr, OpenPanel());
        ASSERT_EQ(1, Panel().Count()) << "the main row starts collapsed";
        Click(Panel().Triangle(kMainEntry, 0));
        ASSERT_EQ(10, Panel().Count());
        m_link->ClearLog();
    }

    CParamPanelDriver& Panel() { return *m_panel; }

    void Click(POINT at) { Panel().ClickAndSettle(at); }

    PopupMenuSeen ChooseFromRowMenu(int entry, UINT choose)
    {
        const POINT box = Panel().ControlBox(entry);
        const PopupMenuSeen seen = ChooseFromPopupMenu([&] { Panel().Press(box); }, choose);
        Panel().Release(box);
        Panel().Settle();
        return seen;
    }

    // Opens the Shape Maker with the "Shape" button row.
    HWND OpenShapeMaker()
    {
        Click(Panel().ControlBox(kShapeEntry));
        HWND found = FindShownThreadWindow([](HWND hwnd) { return WindowTitle(hwnd) == L"Shape Maker"; });
        if (found)
            UpdateWindow(found);
        return found;
    }

    bool EraseReachesHost()
    {
        const int before = m_host->Erases();
        HDC dc = GetDC(m_host->Panel());
        SendMessageW(m_host->Panel(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        ReleaseDC(m_host->Panel(), dc);
        return m_host->Erases() != before;
    }

    std::unique_ptr<CStandInHostPanel> m_host;
    std::unique_ptr<CStandInGeoObject> m_bar;
    std::unique_ptr<CStandInParamLink> m_link;
    std::unique_ptr<CParamPanelDriver> m_panel;

private:
    static std::unique_ptr<CVantreLibrary> s_vantre;
};

std::unique_ptr<CVantreLibrary> PanelTest::s_vantre;

TEST_F(PanelTest, PanelIsMadeInsideTheHostWindowWithTheMapsRows)
{
    HWND panel = OpenPanel();
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(m_host->Panel(), GetParent(panel));
    RECT rect{};
    GetWindowRect(panel, &rect);
    EXPECT_EQ(420, rect.right - rect.left);
    ASSERT_NE(nullptr, Panel().List());
    EXPECT_EQ(1, Panel().Count());

    Click(Panel().Triangle(kMainEntry, 0));
    EXPECT_EQ(10, Panel().Count());
    Click(Panel().Triangle(kLimitsEntry, 1));
    EXPECT_EQ(14, Panel().Count()) << "Enable Min, Min, Enable Max, Max";
    Click(Panel().Triangle(kMainEntry, 0));
    EXPECT_EQ(1, Panel().Count());
    // The inner group stays open inside the closed main row.
    Click(Panel().Triangle(kMainEntry, 0));
    EXPECT_EQ(14, Panel().Count());
    EXPECT_TRUE(m_link->Writes().empty()) << "looking writes nothing";

    // Another object gets the same panel.
    auto other = NewBar();
    CStandInParamLink otherLink(*other, m_host->WindowObject());
    EXPECT_EQ(panel, Vantre().GetParamDialog(&otherLink));
}

TEST_F(PanelTest, NoPanelWithoutAHostWindow)
{
    EXPECT_EQ(nullptr, Vantre().GetParamDialog(nullptr));
    CStandInParamLink noWindow(*m_bar, nullptr);
    EXPECT_EQ(nullptr, Vantre().GetParamDialog(&noWindow));
    GeoHostWindow gone{};
    gone.handle = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x1234));
    CStandInParamLink notAWindow(*m_bar, &gone);
    EXPECT_EQ(nullptr, Vantre().GetParamDialog(&notAWindow));
}

TEST_F(PanelTest, TheHostsNoticeIsHiddenInAnyLetterCase)
{
    const struct {
        const wchar_t* text;
        bool hidden;
    } cases[] = {
        {L"THE SELECTED NODE IS NOT A PLUGIN OBJECT.", true},
        {L"The selected Node Is Not a plugin Object.", true},
        {L"The selected Node Is Not a plugin Object", false},
    };
    for (const auto& c : cases) {
        CStandInHostPanel host(c.text);
        ASSERT_TRUE(host.IsCreated());
        CStandInParamLink link(*m_bar, host.WindowObject());
        ASSERT_NE(nullptr, Vantre().GetParamDialog(&link));
        EXPECT_EQ(!c.hidden, IsWindowVisible(host.Notice()) != FALSE);
        host.Destroy();
        DrainMessages();
    }
}

TEST_F(PanelTest, CheckBoxesAndTheOptionMenuWriteTheirParameters)
{
    OpenExpanded();
    Click(Panel().CheckBox(kEnabledEntry));
    Click(Panel().CheckBox(kEnableChangeEntry));
    Click(Panel().At(kLinkValuesEntry, 40, 16 + 9));   // below the last entry: nothing
    EXPECT_EQ(10, Panel().Count());
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(117, 0, 7), Set(122, 1, 2)}));

    Click(Panel().Triangle(kLinkValuesEntry, 1));
    ASSERT_EQ(13, Panel().Count());
    m_link->ClearLog();
    const int idEntry = 12;
    const PopupMenuSeen menu = ChooseFromRowMenu(idEntry, 1003);
    ASSERT_TRUE(menu.opened);
    ASSERT_EQ(16u, menu.items.size());
    EXPECT_EQ(L"1", menu.items[0].text);
    EXPECT_TRUE(menu.items[0].checked);
    EXPECT_FALSE(menu.items[2].checked);
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(130, 3, 7)}));

    // The "Shape" button opens the Shape Maker and writes nothing.
    m_link->ClearLog();
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    EXPECT_TRUE(IsWindowVisible(shapeMaker));
    EXPECT_TRUE(m_link->Writes().empty());
}

TEST_F(PanelTest, OptionOutsideTheListShowsTheFirst)
{
    m_bar->SetParam(130, 17);
    OpenExpanded();
    Click(Panel().Triangle(kLinkValuesEntry, 1));
    const PopupMenuSeen menu = ChooseFromRowMenu(12, 0);
    ASSERT_EQ(16u, menu.items.size());
    for (size_t i = 0; i < menu.items.size(); ++i)
        EXPECT_EQ(i == 0, menu.items[i].checked) << i;
    EXPECT_TRUE(m_link->Writes().empty());
}

TEST_F(PanelTest, SliderClickAndDragWriteTruncatedValues)
{
    OpenExpanded();
    const int width = kBarRight - kBarLeft;
    // Bottom Offset, -1 ... 1: a click sets the value under it; the first
    // move of a drag sets it again, reckoned along the bar less its last
    // column, even within the clicked column.
    Click(Panel().Triangle(kBottomOffsetEntry, 1));
    ASSERT_EQ(40, Panel().Entry(kBottomOffsetEntry).bottom - Panel().Entry(kBottomOffsetEntry).top);
    const POINT offsetClick = Panel().Bar(kBottomOffsetEntry, 302);
    Panel().Press(offsetClick);
    Panel().MoveTo({offsetClick.x, offsetClick.y + 2});
    Panel().Release(offsetClick);
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(119, -1 + 2.0 * (302 - kBarLeft) / width),
                                             Set(119, -1 + 2.0 * (302 - kBarLeft) / (width - 1))}));
    m_link->ClearLog();

    Click(Panel().Triangle(kTessellationEntry, 1));
    // Tessellation 1 ... 200 holds 50: the thumb sits near x = 140.
    const POINT click = Panel().Bar(kTessellationEntry, 225);
    Panel().Press(click);
    Panel().MoveTo({click.x, click.y + 3});   // the same whole number: nothing
    Panel().MoveTo({click.x, click.y + 4});   // the same column as the last move: nothing
    Panel().MoveTo(Panel().Bar(kTessellationEntry, 500));   // past the end: the last column
    Panel().Release(Panel().Bar(kTessellationEntry, 500));
    const double clicked = 1 + 199.0 * (225 - kBarLeft) / width;
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(120, std::trunc(clicked)), Set(120, 200)}));

    // A click on the thumb only starts a drag.
    Panel().Settle();
    m_link->ClearLog();
    const POINT thumb = Panel().Bar(kTessellationEntry, kBarRight - 4);
    Panel().Press(thumb);
    Panel().Release(thumb);
    EXPECT_TRUE(m_link->Writes().empty());
}

TEST_F(PanelTest, TypingIntoTheEditorWritesEachKeystroke)
{
    OpenExpanded();
    // An option chosen before makes the option row the menu target.
    Click(Panel().Triangle(kLinkValuesEntry, 1));
    ChooseFromRowMenu(12, 1002);
    m_link->ClearLog();

    EXPECT_FALSE(Panel().EditorVisible());
    Click(Panel().ValueText(kBottomOffsetEntry));
    ASSERT_TRUE(Panel().EditorVisible());
    EXPECT_EQ(L"0.000", Panel().EditorText());
    Panel().Type(L"0.5");
    Panel().Type(L"9");
    Panel().Type(L"-x");
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(119, 0.5), Set(119, 1), Set(119, 0)}));

    // Another row selected: the editor goes at the next paint.
    Click(Panel().At(kMainEntry, 44, 8));   // the main row's name
    EXPECT_FALSE(Panel().EditorVisible());
}

TEST_F(PanelTest, HostValuesOfAnySizeShowSafely)
{
    m_bar->SetParam(119, 1e300);
    m_bar->SetParam(120, NAN);
    OpenExpanded();
    Click(Panel().ValueText(kBottomOffsetEntry));
    const std::wstring text = Panel().EditorText();
    EXPECT_EQ(0u, text.find(L"1000000000000000052")) << "the whole number, not a 100-character cut";
    EXPECT_GT(text.size(), 300u);
    Click(Panel().ValueText(kTessellationEntry));
    EXPECT_EQ(L"0", Panel().EditorText());
    EXPECT_TRUE(m_link->Writes().empty());
}

TEST_F(PanelTest, HostEraseWaitsWhileThePluginWrites)
{
    const auto originalProc = GetWindowLongPtrW(m_host->Panel(), GWLP_WNDPROC);
    OpenExpanded();
    std::vector<bool> erasedDuringWrites;
    m_link->onSet = [&](int32_t) { erasedDuringWrites.push_back(EraseReachesHost()); };
    Click(Panel().CheckBox(kBottomXZEntry));
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    const CShapeArea area(shapeMaker);
    area.Drag(area.Pixel(0.5, 0.5), area.Pixel(0.6, 0.6));
    EXPECT_EQ(std::vector<bool>(7, false), erasedDuringWrites) << "one panel write, six outline writes";
    m_link->onSet = nullptr;
    EXPECT_TRUE(EraseReachesHost());

    // The host drops the plug-in's panel but keeps its own window.
    DestroyWindow(Panel().List() ? GetParent(Panel().List()) : nullptr);
    DrainMessages();
    EXPECT_TRUE(EraseReachesHost());
    EXPECT_EQ(originalProc, GetWindowLongPtrW(m_host->Panel(), GWLP_WNDPROC));
}

TEST_F(PanelTest, ShapeMakerEditsWriteTheOutline)
{
    OpenExpanded();
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    const CShapeArea area(shapeMaker);

    // Drag point 1 of the default square (-0.5, 0.5); its handles (0, 0) go along.
    const POINT to = area.Pixel(-0.8, 0.75);
    area.Drag(area.Pixel(-0.5, 0.5), to);
    const double x = area.X(to), y = area.Y(to), dx = x + 0.5, dy = y - 0.5;
    EXPECT_TRUE(WritesAre(m_link->Writes(), WriteRun({Set(1, x), Set(2, y), Set(3, dx), Set(4, dy), Set(5, dx), Set(6, dy)})));

    // Point 2 becomes a Spline: its handles reset either side of it.
    m_link->ClearLog();
    const PopupMenuSeen menu = area.RightClick(area.Pixel(0.5, 0.5), kSpline);
    ASSERT_EQ(4u, menu.items.size());
    EXPECT_EQ(L"Linear", menu.items[0].text);
    EXPECT_TRUE(menu.items[0].checked);
    EXPECT_FALSE(menu.items[1].checked);
    EXPECT_EQ(L"Delete", menu.items[3].text);
    EXPECT_TRUE(WritesAre(m_link->Writes(), Then(WriteRun({Set(8, 0.5), Set(9, 0.5), Set(10, 0.44), Set(11, 0.5),
                                                      Set(12, 0.56), Set(13, 0.5)}),
                                                 {Set(14, 2, 7)})));

    // Its outgoing handle dragged; the incoming one mirrors it.
    m_link->ClearLog();
    UpdateWindow(area.Window());
    const POINT handleTo = area.Pixel(0.7, 0.3);
    area.Drag(area.Pixel(0.56, 0.5), handleTo);
    const double hx = area.X(handleTo), hy = area.Y(handleTo);
    EXPECT_TRUE(WritesAre(m_link->Writes(), WriteRun({Set(10, 1 - hx), Set(11, 1 - hy), Set(12, hx), Set(13, hy)})));

    // A right click on a handle is no click on the point: the background menu.
    EXPECT_EQ(1u, area.RightClick(area.Pixel(0.7, 0.3), 0).items.size());

    // The mesh rebuilt from the parameters has the new outline.
    Vantre().RecreateObject(m_bar.get(), 0);
    float lowest = 0;
    for (int32_t v = 0; v < m_bar->VertexCount(); ++v)
        lowest = std::min(lowest, m_bar->VertexField(v, 5));
    EXPECT_NEAR(x, lowest, 1e-4);
    // For a person to look at; each host build writes its own.
    const std::wstring picture = L"vantre_panel_edited_bar_" + std::to_wstring(VANTRE_TEST_HOST_BUILD) + L".png";
    EXPECT_TRUE(WriteMeshPng(*m_bar, picture.c_str(), 320));
}

TEST_F(PanelTest, ShapeMakerAddsAndDeletesPoints)
{
    OpenExpanded();
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    const CShapeArea area(shapeMaker);
    const int perPoint = kBracketing ? 10 : 8;

    // Between the two points nearest the click: the whole chain is written again.
    const POINT at = area.Pixel(0, -0.8);
    EXPECT_EQ(1u, area.RightClick(at, kAddPoint).items.size());
    ASSERT_EQ(1u + 5 * perPoint, m_link->Writes().size());
    EXPECT_EQ("set 0 0 7", m_link->Writes().front());
    EXPECT_EQ("set 0 5 7", m_link->Writes().back());
    EXPECT_NEAR(area.X(at), m_bar->GetParam(7 * 3 + 1), 1e-5);
    EXPECT_NEAR(area.Y(at), m_bar->GetParam(7 * 3 + 2), 1e-5);
    EXPECT_EQ(1, m_bar->GetParam(7 * 3 + 7));

    m_link->ClearLog();
    UpdateWindow(area.Window());
    area.RightClick(at, kDelete);
    ASSERT_EQ(1u + 4 * perPoint, m_link->Writes().size());
    EXPECT_EQ("set 0 4 7", m_link->Writes().back());
    EXPECT_EQ(-0.5, m_bar->GetParam(7 * 3 + 1));
    EXPECT_EQ(-0.5, m_bar->GetParam(7 * 3 + 2));
}

TEST_F(PanelTest, ShapeMakerFileSaveAndLoadRestoreTheOutline)
{
    wchar_t folder[MAX_PATH + 1] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, folder));
    const std::wstring stem = std::wstring(folder) + L"vantre_outline_" + std::to_wstring(GetCurrentProcessId());
    const std::wstring saved = stem + L".sm";
    DeleteFileW(saved.c_str());

    OpenExpanded();
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    const CShapeArea area(shapeMaker);
    area.RightClick(area.Pixel(0.5, -0.5), kBrokenSpline);
    std::vector<double> outline;
    for (int32_t id = 0; id <= 28; ++id)
        outline.push_back(m_bar->GetParam(id));

    // Saved under a name without extension: the file gets ".sm".
    const FileDialogSeen save = AnswerFileDialog(
        [&] { SendMessageW(GetDlgItem(shapeMaker, 1009), BM_CLICK, 0, 0); }, shapeMaker, stem);
    ASSERT_TRUE(save.opened);
    EXPECT_EQ(L"Shape Maker File", save.title);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(saved.c_str()));

    UpdateWindow(area.Window());
    area.Drag(area.Pixel(-0.5, 0.5), area.Pixel(-0.2, 0.2));
    area.RightClick(area.Pixel(0, -0.8), kAddPoint);
    ASSERT_EQ(5, m_bar->GetParam(0));
    UpdateWindow(area.Window());
    m_link->ClearLog();

    const FileDialogSeen load = AnswerFileDialog(
        [&] { SendMessageW(GetDlgItem(shapeMaker, 1007), BM_CLICK, 0, 0); }, shapeMaker, saved);
    ASSERT_TRUE(load.opened);
    EXPECT_TRUE(GetUpdateRect(area.Window(), nullptr, FALSE)) << "the loaded outline is painted";
    for (int32_t id = 0; id <= 28; ++id)
        EXPECT_NEAR(outline[id], m_bar->GetParam(id), 1e-6) << id;
    EXPECT_EQ("set 0 0 7", m_link->Writes().front());
    EXPECT_EQ("set 0 4 7", m_link->Writes().back());
    DeleteFileW(saved.c_str());
}

TEST_F(PanelTest, AnotherObjectRebindsThePanelAndTheShapeMaker)
{
    OpenExpanded();
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    Click(Panel().ValueText(kTessellationEntry));
    EXPECT_EQ(L"50", Panel().EditorText());

    auto other = NewBar();
    other->SetParam(117, 0);
    other->SetParam(120, 120);
    other->SetParam(0, 3);
    CStandInParamLink otherLink(*other, m_host->WindowObject());
    ASSERT_EQ(GetParent(Panel().List()), Vantre().GetParamDialog(&otherLink));
    Panel().Settle();
    EXPECT_EQ(L"120", Panel().EditorText()) << "the editor shows the new object's value";

    Click(Panel().CheckBox(kEnabledEntry));
    const CShapeArea area(shapeMaker);
    UpdateWindow(shapeMaker);
    area.RightClick(area.Pixel(0, -0.8), kAddPoint);   // three points: appended as the fourth
    EXPECT_TRUE(m_link->Writes().empty());
    ASSERT_FALSE(otherLink.Writes().empty());
    EXPECT_EQ("set 117 1 7", otherLink.Writes().front());
    EXPECT_EQ("set 0 4 7", otherLink.Writes().back());
}

TEST_F(PanelTest, HostEchoDuringOutlineWritesKeepsTheEdit)
{
    OpenExpanded();
    HWND shapeMaker = OpenShapeMaker();
    ASSERT_NE(nullptr, shapeMaker);
    // The host answers each write by asking for the panel again.
    m_link->onSet = [&](int32_t) { Vantre().GetParamDialog(m_link.get()); };
    const CShapeArea area(shapeMaker);
    const POINT to = area.Pixel(0.8, 0.8);
    area.Drag(area.Pixel(0.5, 0.5), to);
    m_link->onSet = nullptr;
    EXPECT_TRUE(WritesAre(m_link->Writes(), WriteRun({Set(8, area.X(to)), Set(9, area.Y(to)), Set(10, area.X(to) - 0.5),
                                                 Set(11, area.Y(to) - 0.5), Set(12, area.X(to) - 0.5),
                                                 Set(13, area.Y(to) - 0.5)})));
}

TEST_F(PanelTest, HostDestroysItsPanelAndAsksAgain)
{
    OpenExpanded();
    HWND first = GetParent(Panel().List());
    OpenShapeMaker();

    // Closed by the host between two calls.
    m_host = std::make_unique<CStandInHostPanel>();
    DrainMessages();
    EXPECT_FALSE(IsWindow(first));
    m_link = std::make_unique<CStandInParamLink>(*m_bar, m_host->WindowObject());
    OpenExpanded();
    EXPECT_EQ(m_host->Panel(), GetParent(GetParent(Panel().List())));
    Click(Panel().CheckBox(kEnabledEntry));
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(117, 0, 7)}));

    // Closed by the host while the plug-in writes to it.
    m_link->onSet = [&](int32_t) { m_host->Destroy(); };
    Click(Panel().CheckBox(kEnabledEntry));
    DrainMessages();
    EXPECT_FALSE(IsWindow(m_host->Frame()));
    m_host = std::make_unique<CStandInHostPanel>();
    m_link = std::make_unique<CStandInParamLink>(*m_bar, m_host->WindowObject());
    OpenExpanded();
    Click(Panel().CheckBox(kBottomXZEntry));
    EXPECT_TRUE(WritesAre(m_link->Writes(), {Set(118, 1, 7)}));
}

}  // namespace
