// Bars through Vantre's value store, as the host rebuilds them, and the pie's keyframes.
#include <gtest/gtest.h>

#include <cmath>

#include "chartcontrol/test/ChartUpdateTestSupport.h"
#include "chartcontrol/QuillonDoc.h"
#include "common/xml/test/XmlNodeTestSupport.h"

namespace {

// Bars standing on the floor, 2 high at 100 %, that take a new value at once.
#define BAR(name, guid)                                                                                    \
    L"<Node name=\"" name L"\" type=\"32\"><Property group=\"$GROUP\" name=\"VantreGUID\" value=\"" guid   \
    L"\"/><Param id=\"118\" value=\"1\"/><Param id=\"122\" value=\"1\"/><Param id=\"123\" value=\"0\"/>"  \
    L"<Param id=\"125\" value=\"0\"/><Param id=\"127\" value=\"2\"/></Node>\n"

const wchar_t kBarScene[] = L"<Scene name=\"Main\" length=\"100\">\n<Transition name=\"In\"/>\n"
                            L"<Template name=\"Bar1Percent\" text=\"75\"/>\n"
                            L"<Template name=\"Bar2Percent\" text=\"abc\"/>\n"
                            L"<Template name=\"Bar3Percent\" text=\" \"/>\n"
                            BAR(L"Bar1", L"$GUID1") BAR(L"Bar2", L"$GUID2") BAR(L"Bar3", L"$GUID3") BAR(L"Bar4", L"$GUID4")
                            L"<Node name=\"Plain\" type=\"32\"/>\n</Scene>";

class BarChartTest : public ChartUpdateTest {
protected:
    std::vector<double> Heights(CSimScene& scene)
    {
        std::vector<double> heights;
        // The mesh is in floats: to the millimetre of a 2-unit bar.
        for (const wchar_t* bar : {L"Bar1", L"Bar2", L"Bar3", L"Bar4"})
            heights.push_back(std::round(BarHeight(scene, bar) * 1000) / 1000);
        return heights;
    }
};

TEST_F(BarChartTest, EachBarTakesTheValueFoundForItAndKeepsItsOwnWithoutOne)
{
    CSimScene& scene = LoadScene(kBarScene);
    EXPECT_EQ((std::vector<double>{0, 0, 0, 0}), Heights(scene)) << "built at Min before any value";

    struct Case {
        const wchar_t* text;
        std::vector<double> heights;
    };
    const Case cases[] = {
        {L"barname=Bar2&bar2percent=50", {0, 1, 0, 0}},
        {L"barname=Bar4&BAR4Percent=25", {0, 1, 0, 0.5}},    // keys in any case
        {L"Bar1Percent=50", {0, 1, 0, 0.5}},                 // no barname: no bar
        {L"barname=Plain&plainpercent=50", {0, 1, 0, 0.5}},  // no bar node
        {L"chart=Nobody&barname=Bar3&bar3percent=40", {0, 1, 0.8, 0.5}},
        {L"barname=Bar3&bar3percent=1e999", {0, 1, 0.8, 0.5}},  // no number: the bar keeps its value
        {L"barname=Bar3&bar3percent=inf", {0, 1, 0, 0.5}},      // no leading number: 0
        {L"barname=Bar4&bar4percent= 75", {0, 1, 0, 1.5}},      // blanks before the number
        // Without parameters the templates: "75", "abc" as 0, an empty and a missing one keep.
        {L"refresh", {1.5, 0, 0, 1.5}},
    };
    for (const Case& c : cases) {
        log.TakeLines();
        EXPECT_EQ(S_OK, UpdateChart(c.text)) << c.text;
        EXPECT_EQ(c.heights, Heights(scene)) << c.text;
    }
    std::vector<std::wstring> messages;
    for (const std::wstring& line : log.TakeLines())
        messages.push_back(LogMessageOf(line));
    EXPECT_EQ((std::vector<std::wstring>{L"UpdateCharts ", L"Template Bar3Percent is empty",
                                         L"Missing template Bar4Percent"}),
              messages);
}

// A pie group of five slices; E has no value, D shows its value through the node "D3D".
const wchar_t kPieScene[] = LR"(<Scene name="Main" length="100">
  <Transition name="In"/><Transition name="Out"/>
  <Template name="A" text="50"/><Template name="B" text="30"/><Template name="C" text=" 20 "/>
  <Node name="Pie" type="0">
    <Node name="A" type="40">
      <KeyFrame transition="In" frame="70" attribute="1004" value="9"/>
      <KeyFrame transition="In" frame="5" attribute="0" value="1.5"/>
    </Node>
    <Node name="B" type="40"/><Node name="C" type="40"/><Node name="D" type="40"/><Node name="E" type="40"/>
  </Node>
  <Node name="D3D" type="24"><Element name="Value" text=""/></Node>
</Scene>)";

class PieChartTest : public ChartUpdateTest {
protected:
    void SavePie(const wchar_t* ordering, const wchar_t* enable = L"1")
    {
        CQuillonDoc document;
        document.SetApplication(host.Application());
        document.LoadFromActiveScene();
        CXmlNodePtr root = document.GetRoot();
        CXmlNodePtr pie = CXmlNodePtr::Adopt(root->FindChildAtLastSegment(L"PieChart", 0));
        if (!pie)
            pie = CXmlNodePtr(new CXmlNode(root.Get(), L"PieChart"));  // the root holds it
        pie->SetAttribute(L"groupname", L"Pie");
        pie->SetAttribute(L"transitionname", L"In");
        pie->SetAttribute(L"startframe", L"0");
        pie->SetAttribute(L"endframe", L"100");
        pie->SetAttribute(L"ordering", ordering);
        pie->SetAttribute(L"enable", enable);
        ASSERT_TRUE(document.SaveDocument());
    }
    // The slice's keyframes on the pie's transition as "frame:channel=value".
    static std::vector<std::wstring> Keys(CSimScene& scene, const wchar_t* slice)
    {
        std::vector<std::wstring> keys;
        for (const CSimKeyFrame* k : scene.Find(slice)->TransformOf(L"In").keyFrames->frames)
            keys.push_back(FormatWide(L"%ld:%ld=%g", k->frame, k->attribute, k->value));
        return keys;
    }
};

TEST_F(PieChartTest, SlicesOpenOneAfterAnotherInTheOrderTheSettingsAsk)
{
    CSimScene& scene = LoadScene(kPieScene);
    using Keys_ = std::vector<std::wstring>;
    struct Case {
        const wchar_t* ordering;
        Keys_ a, b, c;
    };
    const Case cases[] = {
        {L"Leader Last",
         {L"0:1003=0", L"0:1004=0", L"5:0=1.5", L"50:1003=180", L"50:1004=0", L"100:1004=180"},
         {L"0:1003=0", L"0:1004=0", L"20:1003=72", L"20:1004=0", L"50:1004=108"},
         {L"0:1003=0", L"0:1004=0", L"20:1004=72"}},
        {L"Leader First",
         {L"0:1003=0", L"0:1004=0", L"5:0=1.5", L"50:1004=180"},
         {L"0:1003=0", L"0:1004=0", L"50:1003=180", L"50:1004=0", L"80:1004=108"},
         {L"0:1003=0", L"0:1004=0", L"80:1003=288", L"80:1004=0", L"100:1004=72"}},
    };
    for (const Case& c : cases) {
        SavePie(c.ordering);
        EXPECT_EQ(S_OK, UpdateChart(L"refresh")) << c.ordering;
        EXPECT_EQ(c.a, Keys(scene, L"A")) << c.ordering;
        EXPECT_EQ(c.b, Keys(scene, L"B")) << c.ordering;
        EXPECT_EQ(c.c, Keys(scene, L"C")) << c.ordering;
        // No value: not listed, but set back to nothing open.
        EXPECT_EQ((Keys_{L"0:1003=0", L"0:1004=0"}), Keys(scene, L"D")) << c.ordering;
        EXPECT_EQ((Keys_{L"0:1003=0", L"0:1004=0"}), Keys(scene, L"E")) << c.ordering;
    }

    // Switched off: the keyframes stay as they are.
    SavePie(L"Leader Last", L"0");
    scene.Template(L"A")->text->text = L"10";
    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));
    EXPECT_EQ(cases[1].a, Keys(scene, L"A"));
}

TEST_F(PieChartTest, APercentageOfTheSpanEndsOnItsOwnFrame)
{
    CSimScene& scene = LoadScene(kPieScene);
    scene.Template(L"A")->text->text = L"29";
    scene.Template(L"B")->text->text = L"57";
    scene.Template(L"C")->text->text = L"1e999";  // no number: not listed
    scene.Find(L"D3D")->elements.front()->text->text = L"14";
    SavePie(L"in the children's order");
    EXPECT_EQ(S_OK, UpdateChart(L"refresh"));
    EXPECT_EQ(L"29:1004=104.4", Keys(scene, L"A").back());
    EXPECT_EQ(L"29:1003=104.4", Keys(scene, L"B")[2]);
    EXPECT_EQ(L"86:1004=205.2", Keys(scene, L"B").back());
    EXPECT_EQ(L"86:1003=309.6", Keys(scene, L"D")[2]);
    EXPECT_EQ(L"100:1004=50.4", Keys(scene, L"D").back());
    EXPECT_EQ(2u, Keys(scene, L"C").size());
}

// Pie and bar settings, then `depth` elements each inside the one before.
std::wstring NestedDocument(size_t depth)
{
    std::wstring text = L"<Quillon>\r\n<PieChart enable=\"1\" endframe=\"100\" groupname=\"Pie\" ordering=\"Leader Last\" "
                        L"startframe=\"0\" transitionname=\"In\">\r\n</PieChart>\r\n"
                        L"<BarChart enable=\"1\" groupname=\"Pie\" orientation=\"Vertical\" style=\"Individual\" "
                        L"transitionname=\"In\">\r\n</BarChart>\r\n";
    return text + NestedElements(depth) + L"</Quillon>\r\n";
}

TEST_F(PieChartTest, ADocumentNestedPastTheBoundIsNoDocumentToTheRefreshAndTheEvents)
{
    CSimScene& scene = LoadScene(kPieScene);
    CSimNode& light = *scene.Find(L"Global Light");
    const long nodes = g_xmlNodeCount;
    const std::vector<std::wstring> untouched = Keys(scene, L"A");
    struct Case {
        size_t depth;
        bool read;
    };
    // The deep one first: the shallow one then shows what reading it does.
    for (const Case& c : {Case{40000, false}, Case{10, true}}) {
        std::vector<BYTE> block;
        ASSERT_TRUE(PackDocumentText(NestedDocument(c.depth), block));
        light.properties[kPlotvanePropertyGroup][L"Data"] = CSimValue::Bytes(block);

        EXPECT_EQ(S_OK, UpdateChart(L"refresh")) << c.depth;
        EXPECT_EQ(S_OK, RaiseEvent(0)) << c.depth;
        EXPECT_EQ(c.read, Keys(scene, L"A") != untouched) << c.depth << ": the pie's keyframes";
        EXPECT_EQ(S_OK, RaiseEvent(1)) << c.depth;
        std::vector<BYTE> stored;
        EXPECT_TRUE(ReadBytes(host.PropertyValue(light, kPlotvanePropertyGroup, L"Data").Get(), stored));
        EXPECT_EQ(c.read, stored != block) << c.depth << ": the bar chart's scale range saved";
        EXPECT_EQ(nodes, g_xmlNodeCount) << c.depth;
    }
}

} // namespace
