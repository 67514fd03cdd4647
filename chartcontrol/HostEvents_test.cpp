// The host's events, label placement, GUIDs on the active object and the
// chart commands, through the simulated host.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "chartcontrol/ChartControlIds.h"
#include "chartcontrol/test/ChartUpdateTestSupport.h"
#include "chartcontrol/QuillonDoc.h"
#include "charteditor/ParameterTemplatesIds.h"
#include "platform/ui/UserPrompts.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/testmain/TestVariants.h"
#include "testing/uitest/ModalDriver.h"

namespace {

// Two bars, 2 high at 100 %; a line chart and a chart object without a GUID;
// an object that is no chart.
const wchar_t kEventScene[] = LR"(<Scene name="Main" length="3">
  <Transition name="In"/><Transition name="Out"/>
  <Template name="Bar1Percent" text="50"/>
  <Node name="Bar1" type="32"><Property group="$GROUP" name="VantreGUID" value="$GUID1"/>
    <Param id="118" value="1"/><Param id="122" value="1"/><Param id="123" value="0"/><Param id="125" value="0"/>
    <Param id="127" value="2"/></Node>
  <Node name="Copy" type="32"><Property group="$GROUP" name="VantreGUID" value="$GUID3"/>
    <Param id="118" value="1"/><Param id="122" value="1"/><Param id="123" value="0"/><Param id="125" value="0"/>
    <Param id="127" value="2"/></Node>
  <Node name="Chart1" type="32"><Property group="$GROUP" name="TrellanGUID" value="$GUID2"/></Node>
  <Node name="Chart2" type="32"><Property group="$GROUP" name="TrellanGUID" value=""/></Node>
  <Node name="Chart1.x1" type="24"><Element name="Label" text="Jan"/></Node>
  <Node name="Box" type="40"/>
</Scene>)";

std::wstring Replaced(std::wstring text, const std::wstring& from, const std::wstring& to)
{
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class HostEventTest : public ChartUpdateTest {
protected:
    double Height(CSimScene& scene, const wchar_t* bar) { return std::round(BarHeight(scene, bar) * 1000) / 1000; }
    std::wstring Property(CSimScene& scene, const wchar_t* node, const wchar_t* name)
    {
        return DescribeValue(host.PropertyValue(*scene.Find(node), kPlotvanePropertyGroup, name).Get());
    }
    void Select(CSimScene& scene, const wchar_t* node) { scene.activeObject = scene.Find(node); }
};

TEST_F(HostEventTest, ARefreshArrivingWhileARefreshRunsDoesNothing)
{
    CSimScene& scene = LoadScene(kEventScene);
    HRESULT nested = E_FAIL;
    bool raised = false;
    host.SetCallHook([&](const SimCallRecord& call) {
        if (call.member == L"NodeCount" && !raised) {
            raised = true;
            nested = RaiseEvent(12);
        }
    });
    EXPECT_EQ(S_OK, RaiseEvent(0));
    host.SetCallHook(nullptr);
    EXPECT_EQ(S_OK, nested);
    EXPECT_EQ(2, host.CallCount(L"Scene", L"NodeCount")) << "line charts and bars of one refresh";
    EXPECT_EQ(1.0, Height(scene, L"Bar1"));

    // Once it is over a refresh runs again.
    host.ClearLog();
    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));
    EXPECT_EQ(2, host.CallCount(L"Scene", L"NodeCount"));
}

TEST_F(HostEventTest, WhileSuspendedTheActiveCanvasSceneIsUpdatedUntilEventZero)
{
    CSimScene& main = LoadScene(kEventScene);
    std::wstring other = Replaced(kEventScene, L"\"Main\"", L"\"Other\"");
    for (int n = 1; n <= 3; ++n)
        other = Replaced(other, FormatWide(L"$GUID%d", n), FormatWide(L"$GUID%d", n + 3));
    CSimScene& second = LoadScene(other);
    host.FrameBuffer(0).focus = &main;
    BarHeight(main, L"Bar1");  // the host builds both scenes' bars

    const std::wstring call = L"scene=Other&barname=Bar1&bar1percent=25";
    EXPECT_EQ(S_OK, RaiseEvent(3));
    EXPECT_EQ(S_OK, UpdateChart(call));
    EXPECT_EQ(0.5, Height(main, L"Bar1")) << "the active canvas's scene";
    EXPECT_EQ(0.0, Height(second, L"Bar1"));

    EXPECT_EQ(S_OK, RaiseEvent(0));  // refreshes the active scene from its template, ends the suspension
    EXPECT_EQ(1.0, Height(main, L"Bar1"));
    EXPECT_EQ(S_OK, UpdateChart(call));
    EXPECT_EQ(1.0, Height(main, L"Bar1"));
    EXPECT_EQ(0.5, Height(second, L"Bar1"));
}

TEST_F(HostEventTest, PastedChartsGetGuidsOfTheirOwnInPropertiesAndKeyframes)
{
    // The copy as a paste makes it: with the original's GUID.
    CSimScene& scene = LoadScene(Replaced(kEventScene, L"$GUID3", L"$GUID1"));
    BarHeight(scene, L"Bar1");
    EXPECT_EQ(S_OK, RaiseEvent(11));

    const std::wstring bar = Property(scene, L"Bar1", L"VantreGUID");
    const std::wstring copy = Property(scene, L"Copy", L"VantreGUID");
    const std::wstring chart = Property(scene, L"Chart1", L"TrellanGUID");
    for (const std::wstring& guid : {bar, copy, chart}) {
        EXPECT_EQ(38u, guid.size()) << guid.c_str();
        EXPECT_NE(Guid(1), guid);
        EXPECT_NE(Guid(2), guid);
    }
    EXPECT_NE(bar, copy);
    EXPECT_EQ(L"", Property(scene, L"Chart2", L"TrellanGUID")) << "an empty GUID stays as it is";
    EXPECT_TRUE(scene.Find(L"Chart2")->transforms.empty());

    // The halves bit for bit at frame 0, interpolation 2, on every transition.
    struct Node {
        const wchar_t* name;
        std::wstring guid;
        long channel;
    };
    for (const Node& n : {Node{L"Copy", copy, 1113}, Node{L"Chart1", chart, 1052}}) {
        GUID guid;
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromString(n.guid.c_str(), &guid));
        for (const wchar_t* transition : {L"In", L"Out"}) {
            const std::vector<CSimKeyFrame*>& keys = scene.Find(n.name)->TransformOf(transition).keyFrames->frames;
            ASSERT_EQ(2u, keys.size()) << n.name << transition;
            for (size_t half = 0; half < 2; ++half) {
                EXPECT_EQ(0, keys[half]->frame);
                EXPECT_EQ(n.channel + static_cast<long>(half), keys[half]->attribute);
                EXPECT_EQ(2, keys[half]->interpolation);
                EXPECT_EQ(0, memcmp(&keys[half]->value, reinterpret_cast<const BYTE*>(&guid) + 8 * half, 8))
                    << n.name << " half " << half;
            }
        }
    }

    // The copy no longer shares the original's value.
    EXPECT_EQ(S_OK, UpdateChart(L"barname=Copy&copypercent=50"));
    EXPECT_EQ(1.0, Height(scene, L"Copy"));
    EXPECT_EQ(0.0, Height(scene, L"Bar1"));
}

TEST_F(HostEventTest, ScenePlayedRecordsTheBarAnimationsScaleRange)
{
    std::wstring xml = kEventScene;
    xml.replace(xml.find(L"<Node name=\"Box\""), 0, LR"(<Node name="Bars" type="0">
      <Node name="B1" type="40"><KeyFrame transition="Out" frame="0" attribute="7" value="0.5" interpolation="1"/>
        <KeyFrame transition="Out" frame="10" attribute="7" value="2" interpolation="2"/>
        <KeyFrame transition="Out" frame="12" attribute="6" value="9" interpolation="0"/></Node>
      <Node name="B2" type="40"><KeyFrame transition="Out" frame="4" attribute="7" value="0.5" interpolation="3"/>
        <KeyFrame transition="Out" frame="8" attribute="7" value="2" interpolation="4"/></Node>
    </Node>
    )");
    LoadScene(xml);
    auto capture = [this](const wchar_t* enable, const wchar_t* orientation) {
        CQuillonDoc document;
        document.SetApplication(host.Application());
        document.LoadFromActiveScene();
        CXmlNodePtr root = document.GetRoot();
        CXmlNodePtr bars = CXmlNodePtr::Adopt(root->FindChildAtLastSegment(L"BarChart", 0));
        if (!bars)
            bars = CXmlNodePtr(new CXmlNode(root.Get(), L"BarChart"));
        for (const auto& attribute : std::vector<std::pair<const wchar_t*, const wchar_t*>>{
                 {L"groupname", L"Bars"}, {L"transitionname", L"Out"}, {L"style", L"Individual"},
                 {L"enable", enable}, {L"orientation", orientation}})
            bars->SetAttribute(attribute.first, attribute.second);
        EXPECT_TRUE(document.SaveDocument());
        EXPECT_EQ(S_OK, RaiseEvent(1));
        document.LoadFromActiveScene();
        bars = CXmlNodePtr::Adopt(document.GetRoot()->FindChildAtLastSegment(L"BarChart", 0));
        std::wstring range;
        for (const wchar_t* name : {L"minscale", L"maxscale", L"minframe", L"maxframe", L"mininterp", L"maxinterp"}) {
            std::wstring value;
            bars->GetAttributeString(name, value);
            range += (range.empty() ? L"" : L" ") + value;
        }
        return range;
    };
    EXPECT_EQ(L"1000.00000000 -1000.00000000 -1 -1 -1 -1", capture(L"0", L"Vertical"));
    // The last of equal minima and the first of equal maxima.
    EXPECT_EQ(L"0.50000000 2.00000000 4 10 3 2", capture(L"1", L"Vertical"));
    EXPECT_EQ(L"9.00000000 9.00000000 12 12 0 0", capture(L"1", L"vertical")) << "anything else is horizontal";
}

struct InjectedError {
    const wchar_t* className;
    const wchar_t* member;
};

void PrintTo(const InjectedError& error, std::ostream* out)
{
    *out << std::string(error.className, error.className + wcslen(error.className)) << "."
         << std::string(error.member, error.member + wcslen(error.member));
}

class HostErrorTest : public HostEventTest, public ::testing::WithParamInterface<InjectedError> {};

TEST_P(HostErrorTest, AHostErrorComesBackAsAnHresultAndTheNextRefreshWorks)
{
    CSimScene& scene = LoadScene(kEventScene);
    BarHeight(scene, L"Bar1");
    host.InjectError(GetParam().className, GetParam().member, L"The host is busy");

    EXPECT_EQ(S_OK, UpdateChart(L"refresh")) << "a refresh the host asked for answers nothing";
    std::wstring error;
    EXPECT_EQ(DISP_E_EXCEPTION, RaiseEvent(0, &error));
    EXPECT_EQ(L"The host is busy", error);
    error.clear();
    EXPECT_EQ(DISP_E_EXCEPTION, UpdateChart(L"barname=Bar1&bar1percent=25", &error));
    EXPECT_EQ(L"The host is busy", error);

    host.ClearInjectedErrors();
    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));
    EXPECT_EQ(1.0, Height(scene, L"Bar1"));
}

INSTANTIATE_TEST_SUITE_P(Calls, HostErrorTest,
                         ::testing::Values(InjectedError{L"Application", L"ActiveFrameBuffer"},
                                           InjectedError{L"Scene", L"NodeCount"},
                                           InjectedError{L"Node", L"Type"},
                                           InjectedError{L"PropertyGroup", L"Value"},
                                           InjectedError{L"Node", L"Name"}),
                         [](const ::testing::TestParamInfo<InjectedError>& info) {
                             return std::string(info.param.className, info.param.className + wcslen(info.param.className)) +
                                    std::string(info.param.member, info.param.member + wcslen(info.param.member));
                         });

TEST_F(HostEventTest, LabelsArePlacedAtTheCanvasFrame)
{
    CSimScene& scene = LoadScene(kEventScene);
    host.AddNode(scene, L"Chart1.info", SimNodeText3D);
    host.Canvas().frame = 2;
    ScopedVariant result;
    ASSERT_EQ(S_OK, host.CallControl(control.Get(), L"LocateLabel", DISPATCH_METHOD,
                                     {CSimValue(std::wstring(L"Chart1.x1")), CSimValue(RealArgument(1.5)),
                                      CSimValue(RealArgument(-2)), CSimValue(RealArgument(0.25)), CSimValue(RealArgument(90))},
                                     result.Get()));
    EXPECT_EQ(VT_I4, result->vt);
    EXPECT_EQ(0, result->lVal);
    Select(scene, L"Chart1");
    ASSERT_EQ(S_OK, host.CallControl(control.Get(), L"LocateInfoLabel", DISPATCH_METHOD,
                                     {CSimValue(std::wstring(L"?")), CSimValue(std::wstring(L"info")),
                                      CSimValue(RealArgument(3)), CSimValue(RealArgument(4)), CSimValue(RealArgument(5)),
                                      CSimValue(RealArgument(6))},
                                     nullptr));
    host.ClearLog();
    ASSERT_EQ(S_OK, host.CallControl(control.Get(), L"LocateLabel", DISPATCH_METHOD,
                                     {CSimValue(std::wstring(L"Nobody")), CSimValue(RealArgument(1)), CSimValue(RealArgument(1)),
                                      CSimValue(RealArgument(1)), CSimValue(RealArgument(1))},
                                     nullptr));
    EXPECT_EQ(0, host.CallCount(L"KeyFrames", L"Add"));

    auto keys = [&scene](const wchar_t* name) {
        std::vector<std::wstring> seen;
        for (const CSimKeyFrame* k : scene.Find(name)->TransformOf(scene.activeTransition).keyFrames->frames)
            seen.push_back(FormatWide(L"%ld:%ld=%g/%ld", k->frame, k->attribute, k->value, k->interpolation));
        return seen;
    };
    EXPECT_EQ((std::vector<std::wstring>{L"2:0=1.5/0", L"2:1=-2/0", L"2:2=0.25/0", L"2:4=90/0"}), keys(L"Chart1.x1"));
    EXPECT_EQ((std::vector<std::wstring>{L"2:0=3/0", L"2:1=4/0", L"2:2=5/0", L"2:4=6/0"}), keys(L"Chart1.info"));
}

TEST_F(HostEventTest, LabelKeyframesFollowTheLibraryThroughEveryFrame)
{
    CSimScene& scene = LoadScene(kEventScene);
    Select(scene, L"Chart1");
    // The library places its label whenever the host draws a frame.
    host.Canvas().onUpdate = [this](CSimCanvas& canvas) {
        host.CallControl(control.Get(), L"LocateLabel", DISPATCH_METHOD,
                         {CSimValue(std::wstring(L"Chart1.x1")), CSimValue(RealArgument(canvas.frame * 10.0)),
                          CSimValue(RealArgument(0)), CSimValue(RealArgument(0)), CSimValue(RealArgument(0))},
                         nullptr);
    };
    EXPECT_EQ(S_OK, host.CallControl(control.Get(), L"MakeLabelKeyframes", DISPATCH_METHOD, {}, nullptr));
    host.Canvas().onUpdate = nullptr;

    std::vector<std::wstring> expected;
    for (int frame = 0; frame <= 3; ++frame) {
        expected.push_back(L"SetTrellanRedraw($GUID2, 1)");
        expected.push_back(L"EnableLocateLabels($GUID2, 1)");
    }
    EXPECT_EQ(expected, TrellanCallsNamed());
    std::vector<std::wstring> xs;
    for (const CSimKeyFrame* k : scene.Find(L"Chart1.x1")->TransformOf(scene.activeTransition).keyFrames->frames)
        if (k->attribute == 0)
            xs.push_back(FormatWide(L"%ld:%g", k->frame, k->value));
    EXPECT_EQ((std::vector<std::wstring>{L"0:0", L"1:10", L"2:20", L"3:30"}), xs) << "frames 0 to the last, inclusive";

    // Without a line chart selected nothing happens.
    TrellanReset();
    Select(scene, L"Box");
    EXPECT_EQ(S_OK, host.CallControl(control.Get(), L"MakeLabelKeyframes", DISPATCH_METHOD, {}, nullptr));
    EXPECT_TRUE(TrellanCalls().empty());
}

TEST_F(HostEventTest, AGuidIsStoredOnlyWhereTheActiveObjectCarriesItsProperty)
{
    CSimScene& scene = LoadScene(kEventScene);
    struct Case {
        const wchar_t* node;
        const wchar_t* member;
        const wchar_t* property;
        const wchar_t* stored;
    };
    const Case cases[] = {
        {L"Chart2", L"TrellanGUID", L"TrellanGUID", L"{NEW}"},
        {L"Chart2", L"VantreGUID", L"VantreGUID", L"{NEW}"},
        {L"Box", L"TrellanGUID", L"TrellanGUID", L"???"},  // undeclared there: the host would refuse the put
    };
    for (const Case& c : cases) {
        Select(scene, c.node);
        EXPECT_EQ(S_OK, host.CallControl(control.Get(), c.member, DISPATCH_METHOD, {CSimValue(std::wstring(L"{NEW}"))},
                                         nullptr))
            << c.node << " " << c.member;
        EXPECT_EQ(c.stored, Property(scene, c.node, c.property)) << c.node << " " << c.member;
    }
    scene.activeObject = nullptr;
    EXPECT_EQ(S_OK, host.CallControl(control.Get(), L"VantreGUID", DISPATCH_METHOD, {CSimValue(std::wstring(L"{X}"))},
                                     nullptr));
}

TEST_F(HostEventTest, NewAxisLabelsAreCopiesOfTheChosenTemplateInTheOldLabelsGroup)
{
    std::wstring xml = kEventScene;
    xml.replace(xml.find(L"<Node name=\"Chart1.x1\""), std::wstring(L"<Node name=\"Chart1.x1\" type=\"24\"><Element name=\"Label\" text=\"Jan\"/></Node>").size(),
                LR"(<Template name="Chart1.maxdates" text="3"/><Template name="Chart1.maxvalues" text="0"/>
  <Node name="Labels" type="0">
    <Node name="Chart1.x1" type="24"><Element name="Label" text="Jan"/></Node>
    <Node name="Chart1.x2" type="24"><Element name="Label" text="Feb"/></Node>
  </Node>
  <Node name="Chart1.X Pattern" type="24"><Element name="Label" text="pattern"/></Node>
  <Node name="Other pattern" type="24"><Element name="Label" text="other"/></Node>)");
    CSimScene& scene = LoadScene(xml);
    Select(scene, L"Chart1");

    std::vector<std::wstring> offered;
    std::wstring title, count;
    CModalDriver driver({[&] {
        HWND dialog = CModalDriver::FindDialog(L"X Axis Labels");
        if (!dialog)
            return false;
        HWND list = GetDlgItem(dialog, IDC_LABEL_TEMPLATES);
        for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t item[64] = {};
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            offered.push_back(item);
        }
        wchar_t selected[64] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(SendMessageW(list, LB_GETCURSEL, 0, 0)),
                     reinterpret_cast<LPARAM>(selected));
        title = selected;
        count = WindowTitle(GetDlgItem(dialog, IDC_LABEL_COUNT));
        SetDlgItemTextW(dialog, IDC_LABEL_COUNT, L"3");
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    }});
    EXPECT_EQ(S_OK, host.CallControl(control.Get(), L"AddXAxisLabels", DISPATCH_METHOD, {}, nullptr));
    ASSERT_TRUE(driver.Done()) << (driver.TimedOut() ? "no dialog came" : "");
    EXPECT_EQ((std::vector<std::wstring>{L"Chart1.X Pattern", L"Other pattern"}), offered) << "the chart's own labels are no templates";
    EXPECT_EQ(L"Chart1.X Pattern", title);
    EXPECT_EQ(L"2", count) << "the labels there are";

    CSimNode& group = *scene.Find(L"Labels");
    ASSERT_EQ(3u, group.children.size());
    const wchar_t* const texts[] = {L"Jan", L"Feb", L"pattern"};
    for (int n = 1; n <= 3; ++n) {
        const std::wstring name = FormatWide(L"Chart1.x%d", n);
        EXPECT_EQ(name, group.children[n - 1]->name);
        EXPECT_EQ(texts[n - 1], Text(scene, name)) << "a label gets back the text of its predecessor";
        EXPECT_EQ(1, group.children[n - 1]->elements.front()->justificationX);
        EXPECT_EQ(1, group.children[n - 1]->elements.front()->justificationY);
    }
    EXPECT_EQ(scene.Find(L"Chart1"), scene.activeObject);
    EXPECT_EQ((std::vector<std::wstring>{L"EnableLocateLabels($GUID2, 1)", L"LabelCount($GUID2, 3, 0)",
                                         L"RegisterLabel($GUID2, 0, Chart1.x1, 0)", L"RegisterLabel($GUID2, 0, Chart1.x2, 1)",
                                         L"RegisterLabel($GUID2, 0, Chart1.x3, 2)", L"SetTrellanRedraw($GUID2, 1)"}),
              TrellanCallsNamed());
}

TEST_F(HostEventTest, WithoutTextNodesTheLabelCommandOnlySaysSo)
{
    std::wstring xml = kEventScene;
    xml.erase(xml.find(L"<Node name=\"Chart1.x1\""), std::wstring(L"<Node name=\"Chart1.x1\" type=\"24\"><Element name=\"Label\" text=\"Jan\"/></Node>").size());
    CSimScene& scene = LoadScene(xml);
    Select(scene, L"Chart1");
    std::vector<std::wstring> messages;
    ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    host.ClearLog();
    EXPECT_EQ(S_OK, host.CallControl(control.Get(), L"AddYAxisLabels", DISPATCH_METHOD, {}, nullptr));
    EXPECT_EQ((std::vector<std::wstring>{L"No 3D templates found for pattern"}), messages);
    EXPECT_EQ(0, host.CallCount(L"Selection", L"Execute"));

}

TEST_F(HostEventTest, MakeGroupOffersTheChartsNameAndSelectsTheChartAgainAfterOK)
{
    CSimScene& scene = LoadScene(kEventScene);
    for (const int button : {IDCANCEL, IDOK}) {
        Select(scene, L"Chart1");
        host.ClearLog();
        std::wstring offered;
        CModalDriver driver({[&] {
            HWND dialog = CModalDriver::FindDialog(L"Make Group");
            if (!dialog)
                return false;
            offered = WindowTitle(GetDlgItem(dialog, IDC_TEMPLATE_NODE_NAME));
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return true;
        }});
        EXPECT_EQ(S_OK, host.CallControl(control.Get(), L"MakeGroup", DISPATCH_METHOD, {}, nullptr));
        ASSERT_TRUE(driver.Done()) << "no dialog came";
        EXPECT_EQ(L"Chart1", offered);
        const SimCallRecord* select = LastCall(host, L"Scene", L"Select");
        if (button == IDCANCEL) {
            EXPECT_EQ(nullptr, select) << "Cancel changes nothing";
            EXPECT_EQ(0, host.CallCount(L"Application", L"Open"));
        } else {
            ASSERT_NE(nullptr, select);
            EXPECT_EQ(L"Chart1", select->argumentText.at(0));
            EXPECT_NE(nullptr, scene.Find(L"Chart1 Params")) << "the templates came in";
        }
    }
}

} // namespace
