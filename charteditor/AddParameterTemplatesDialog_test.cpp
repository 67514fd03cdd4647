// "Make Group" through the simulated host: the dialog, the template scene
// opened into the active scene, the renames, the group and the line-chart
// library's calls, and the temporary file on every way out.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/TemplateImportSeam.h"
#include "charteditor/ParameterTemplatesIds.h"
#include "platform/ui/UserPrompts.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "testing/simhost/SimSceneFile.h"
#include "testing/trellan/TrellanRecording.h"
#include "testing/uitest/ModalDriver.h"

namespace {

constexpr wchar_t kGuid[] = L"{5D1E2A70-0B4C-4A8E-9F31-7C2B8E6D4A10}";

// A scene with the line chart "Chart1" selected, and a further object.
class CMakeGroupBench {
public:
    CMakeGroupBench()
    {
        // As the control's start-up declares it.
        host.DeclareProperty({kPlotvanePropertyGroup, L"TrellanGUID", 0, L"", {L"LyricGeoPlugin"}, L""});
        std::wstring error;
        EXPECT_TRUE(LoadSceneText(host, std::wstring(LR"(<Scene name="Main">
  <Node name="Chart1" type="32"><Property group=")") + kPlotvanePropertyGroup + L"\" name=\"TrellanGUID\" value=\"" +
                                            kGuid + LR"("/></Node>
  <Node name="Box" type="40"/>
</Scene>)", error)) << error;
        scene = host.ActiveScene();
        if (!scene)
            throw std::runtime_error("the scene did not load");
        scene->activeObject = scene->Find(L"Chart1");
        TrellanReset();
        host.ClearLog();
        // The template file as the host is asked to open it.
        host.SetCallHook([this](const SimCallRecord& call) {
            if (call.className == L"Application" && call.member == L"Open") {
                openedPath = call.argumentText.at(0);
                existedAtOpen = GetFileAttributesW(openedPath.c_str()) != INVALID_FILE_ATTRIBUTES;
            }
        });
        references = host.OutsideReferences();
    }
    ~CMakeGroupBench() { EXPECT_EQ(references, host.OutsideReferences()) << "host references leaked"; }

    // Opens the dialog, notes the name it offers, types `name` and presses
    // OK (or Cancel). The dialog's answer.
    bool MakeGroup(const std::wstring& name, int button = IDOK)
    {
        CModalDriver driver({[&] {
            HWND dialog = CModalDriver::FindDialog(L"Make Group");
            if (!dialog)
                return false;
            offered = WindowTitle(GetDlgItem(dialog, IDC_TEMPLATE_NODE_NAME));
            SetDlgItemTextW(dialog, IDC_TEMPLATE_NODE_NAME, name.c_str());
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
            return true;
        }});
        const bool confirmed = RunTemplateImport(nullptr, host.Application(), L"Chart1", L"Chart1 Params");
        EXPECT_TRUE(driver.Done()) << (driver.TimedOut() ? "the dialog did not come" : "");
        EXPECT_FALSE(driver.TimedOut()) << "the dialog did not close";
        return confirmed;
    }

    std::vector<std::wstring> NodeNames() const
    {
        std::vector<std::wstring> names;
        for (const CSimNode* node : scene->nodes)
            names.push_back(node->name);
        return names;
    }
    std::vector<std::wstring> ElementNames(const std::wstring& node) const
    {
        std::vector<std::wstring> names;
        if (CSimNode* found = scene->Find(node))
            for (const CSimElement* element : found->elements)
                names.push_back(element->name);
        return names;
    }
    std::wstring FirstText(const std::wstring& node) const
    {
        CSimNode* found = scene->Find(node);
        return found && !found->elements.empty() && found->elements[0]->text ? found->elements[0]->text->text
                                                                              : L"(none)";
    }
    static bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    CSimHost host;
    CSimScene* scene = nullptr;
    std::wstring offered;
    std::wstring openedPath;
    bool existedAtOpen = false;
    long references = 0;
};

class MakeGroupTest : public ::testing::Test, protected CMakeGroupBench {};

TEST_F(MakeGroupTest, NamesTheTemplateNodesAfterTheChartAndLinksItsLabels)
{
    CSimNode* chart = scene->Find(L"Chart1");
    EXPECT_TRUE(MakeGroup(L"Sales"));
    EXPECT_EQ(L"Chart1", offered);

    EXPECT_EQ(L"Sales", chart->name) << "the selected object takes the name";
    EXPECT_EQ((std::vector<std::wstring>{L"Global Light", L"Box", L"Sales Params", L"Sales Title",
                                         L"Sales.maxdates", L"Sales.maxvalues", L"Sales.x1", L"Sales.x2", L"Sales.x3",
                                         L"Sales.y1", L"Sales.y2", L"Sales Nodes"}),
              NodeNames())
        << "the template's nodes join the scene named after the chart (the chart moved into its group)";
    EXPECT_EQ((std::vector<std::wstring>{L"Caption", L"Sales.symbol", L"Sales.type", L"Sales.interval", L"Sales.provider",
                                         L"Sales.range1", L"Sales.range2", L"Sales.dateformat"}),
              ElementNames(L"Sales Params"))
        << "LC.symbol becomes Sales.symbol; a name without a dot stays";
    CSimNode* group = scene->Find(L"Sales Nodes");
    ASSERT_NE(nullptr, group);
    ASSERT_EQ(2u, group->children.size());
    EXPECT_EQ(L"Chart Plate", group->children[0]->name);
    EXPECT_EQ(chart, group->children[1]) << "the chart joins the group of the Nodes node's first child";

    const std::wstring g = kGuid;
    EXPECT_EQ((std::vector<std::wstring>{L"EnableLocateLabels(" + g + L", 1)", L"LabelCount(" + g + L", 3, 2)",
                                         L"RegisterLabel(" + g + L", 0, Sales.x1, 0)", L"RegisterLabel(" + g + L", 0, Sales.x2, 1)",
                                         L"RegisterLabel(" + g + L", 0, Sales.x3, 2)", L"RegisterLabel(" + g + L", 1, Sales.y1, 0)",
                                         L"RegisterLabel(" + g + L", 1, Sales.y2, 1)", L"SetTrellanRedraw(" + g + L", 1)"}),
              TrellanCalls());

    EXPECT_EQ(scene, host.ActiveScene());
    const SimCallRecord* select = LastCall(host, L"FrameBuffer", L"SelectScene");
    ASSERT_NE(nullptr, select) << "the scene is made current again after the Open";
    EXPECT_EQ(1, host.CallCount(L"Application", L"Open"));
    EXPECT_TRUE(existedAtOpen) << openedPath;
    EXPECT_EQ(L".lno", openedPath.substr(openedPath.size() - 4));
    EXPECT_NE(std::wstring::npos, openedPath.find(L"MVT"));
    EXPECT_FALSE(Exists(openedPath)) << "the temporary file is deleted";
}

TEST(MakeGroup, TheHostBuildChoosesTheTemplate)
{
    const struct {
        long build;
        const wchar_t* title;
    } cases[] = {{1431, L"Line chart (host builds up to 1431)"}, {1432, L"Line chart (host builds after 1431)"}};
    for (const auto& c : cases) {
        CMakeGroupBench bench;
        bench.host.Version().build = c.build;
        EXPECT_TRUE(bench.MakeGroup(L"Sales"));
        EXPECT_EQ(c.title, bench.FirstText(L"Sales Title")) << c.build;
    }
}

TEST_F(MakeGroupTest, WithoutANameOrASceneNothingIsImported)
{
    struct Case {
        const wchar_t* what;
        std::wstring name;
        bool canvas;
    } const cases[] = {{L"empty name", L"", true}, {L"no active canvas", L"Sales", false}};
    for (const Case& c : cases) {
        host.SetActiveCanvas(c.canvas ? 0 : -1);
        host.ClearLog();
        EXPECT_TRUE(MakeGroup(c.name)) << c.what << ": the dialog closes with OK";
        EXPECT_EQ((std::vector<std::wstring>{L"Global Light", L"Chart1", L"Box"}), NodeNames()) << c.what;
        EXPECT_EQ(0, host.CallCount(L"Application", L"Open")) << c.what;
        EXPECT_EQ(0, host.CallCount(L"Node", L"Name")) << c.what << ": no rename";
        EXPECT_TRUE(TrellanCalls().empty()) << c.what;
    }
}

TEST_F(MakeGroupTest, WithoutASelectedObjectOnlyTheTemplateNodesAreNamed)
{
    scene->activeObject = nullptr;
    EXPECT_TRUE(MakeGroup(L"Sales"));
    EXPECT_EQ(L"Chart1", scene->nodes[1]->name);
    EXPECT_NE(nullptr, scene->Find(L"Sales Params"));
    EXPECT_EQ(1u, scene->Find(L"Sales Nodes")->children.size()) << "no node named Sales to add to the group";
    EXPECT_EQ(0, host.CallCount(L"Group", L"AddNode"));
    EXPECT_FALSE(Exists(openedPath));
}

TEST_F(MakeGroupTest, AFailedOpenIsReportedAndTheTemporaryFileStillGoes)
{
    host.InjectError(L"Application", L"Open", L"The file is locked");
    std::vector<std::wstring> messages;
    ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
        messages.push_back(text);
        return IDOK;
    });
    EXPECT_TRUE(MakeGroup(L"Sales"));
    EXPECT_EQ((std::vector<std::wstring>{L"The file is locked"}), messages);
    EXPECT_EQ(L"Sales", scene->nodes[1]->name) << "the selected object was renamed before";
    EXPECT_EQ(3u, scene->nodes.size());
    EXPECT_TRUE(existedAtOpen);
    EXPECT_FALSE(Exists(openedPath)) << openedPath;
    EXPECT_TRUE(TrellanCalls().empty());
}

TEST_F(MakeGroupTest, CancelLeavesTheSceneAlone)
{
    EXPECT_FALSE(MakeGroup(L"Sales", IDCANCEL));
    EXPECT_EQ((std::vector<std::wstring>{L"Global Light", L"Chart1", L"Box"}), NodeNames());
    EXPECT_TRUE(host.Calls().empty());
}

} // namespace
