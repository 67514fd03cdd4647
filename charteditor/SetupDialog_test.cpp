// The setup dialog on a scene of the simulated host: the styles editor's
// commands and messages, what each writes into the scene's document (read
// back by a document of the test's own), and the splitter sizes the dialog
// leaves in the host registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "charteditor/test/ChartDocumentTestSupport.h"
#include "charteditor/SetupDialog.h"
#include "charteditor/SetupIds.h"
#include "platform/ui/UserPrompts.h"
#include "testing/simhost/SimHostTestSupport.h"

namespace {

// Elements as name(attribute=value ...){children}, attributes in name order.
std::wstring Outline(CXmlNode& node)
{
    std::wstring text = node.GetName();
    text += L"(";
    for (int i = 0; i < node.GetAttributeCount(); ++i)
        text += (i ? L" " : L"") + std::wstring(node.GetAttributeName(i)) + L"=" + node.GetAttributeValue(i);
    text += L")";
    if (node.GetChildCount() > 0) {
        text += L"{";
        for (int i = 0; i < node.GetChildCount(); ++i)
            text += (i ? L" " : L"") + Outline(*node.GetChild(i));
        text += L"}";
    }
    return text;
}

class SetupDialogTest : public SimHostFixture {
protected:
    void SetUp() override
    {
        SimHostFixture::SetUp();
        host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
        ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"setup", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    RECT{0, 0, 760, 520}, nullptr, 0));
        doc.SetApplication(host.Application());
    }
    void TearDown() override
    {
        dialog.reset();
        SimHostFixture::TearDown();
    }

    void Store(const std::function<void(CXmlNode& root)>& fill) { StoreChartDocument(host, fill); }
    // The scene's document as it is stored now.
    std::wstring Stored() { return Outline(*StoredChartRoot(host)); }
    void Open()
    {
        doc.LoadFromActiveScene();
        dialog = std::make_unique<CSetupDialog>(parent.GetSafeHwnd(), doc);
        ASSERT_NE(nullptr, dialog->GetSafeHwnd());
        ASSERT_NE(nullptr, dialog->StylesView());
        view = dialog->StylesView()->GetViewWindow();
    }

    void Type(int id, const wchar_t* text) { SetDlgItemTextW(view, id, text); }
    void Click(int id)
    {
        SendMessageW(view, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(view, id)));
    }
    void ChooseType(const wchar_t* type)
    {
        SendDlgItemMessageW(view, IDC_ATTRIBUTE_TYPE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(type));
    }
    // As the user clicks a line: the list selects it and tells the view.
    void Pick(int list, int index)
    {
        SendDlgItemMessageW(view, list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(view, WM_COMMAND, MAKEWPARAM(list, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(view, list)));
    }
    std::vector<std::wstring> Lines(int list) const
    {
        std::vector<std::wstring> lines;
        HWND box = GetDlgItem(view, list);
        for (LRESULT i = 0; i < SendMessageW(box, LB_GETCOUNT, 0, 0); ++i) {
            std::wstring line(static_cast<size_t>(SendMessageW(box, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
            line.resize(static_cast<size_t>(SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]))));
            lines.push_back(line);
        }
        return lines;
    }
    int Selected(int list) const { return static_cast<int>(SendDlgItemMessageW(view, list, LB_GETCURSEL, 0, 0)); }
    std::wstring Text(int id) const
    {
        wchar_t text[256] = {};
        GetDlgItemTextW(view, id, text, 256);
        return text;
    }
    int DocumentWrites() const
    {
        int writes = 0;
        for (const SimCallRecord& call : host.Calls())
            writes += call.className == L"PropertyGroup" && call.member == L"Value" && call.kind == SimKind::Put;
        return writes;
    }

    CWnd parent;
    CQuillonDoc doc;
    std::unique_ptr<CSetupDialog> dialog;
    HWND view = nullptr;
};

struct Step {
    const wchar_t* what;
    std::function<void()> act;
    std::wstring message;  // the one message box it shows, or none
    std::wstring stored;   // the document afterwards
};

void RunSteps(const std::vector<Step>& steps, const std::function<std::wstring()>& stored)
{
    for (const Step& step : steps) {
        std::vector<std::wstring> messages;
        ScopedMessageBoxHandler boxes([&messages](HWND, const std::wstring& text, const std::wstring&, UINT) {
            messages.push_back(text);
            return IDOK;
        });
        step.act();
        EXPECT_EQ(step.message.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{step.message}, messages)
            << step.what;
        EXPECT_EQ(step.stored, stored()) << step.what;
    }
}

TEST_F(SetupDialogTest, TheCatalogueCommandsCheckTheNameAndRewriteTheCatalogue)
{
    Store([](CXmlNode& root) {
        CXmlNode* catalogue = new CXmlNode(&root, L"Attributes");
        CXmlNode* logo = new CXmlNode(catalogue, L"Attribute");
        logo->SetAttribute(L"name", L"Logo");
        logo->SetAttribute(L"type", L"File");
        new CXmlNode(&root, L"PieChart");
    });
    Open();
    EXPECT_EQ((std::vector<std::wstring>{L"Logo\tFile"}), Lines(IDC_ATTRIBUTE_LIST)) << "loaded before the view was made";
    EXPECT_EQ(L"Logo", Text(IDC_ATTRIBUTE_NAME));

    const std::wstring pie = L"PieChart()";
    auto catalogue = [&pie](const std::wstring& entries) {
        return L"Quillon(){" + pie + (entries.empty() ? L"" : L" Attributes(){" + entries + L"}") + L"}";
    };
    const std::wstring logoColour = L"Attribute(name=Logo type=File) Attribute(name=Colour type=Color)";
    RunSteps({
        {L"add: TAB and blanks go", [&] { Type(IDC_ATTRIBUTE_NAME, L" Col\tour \r\n"); ChooseType(L"Color"); Click(IDC_ATTRIBUTE_ADD); },
         L"", L"Quillon(){PieChart() Attributes(){" + logoColour + L"}}"},
        {L"add: a name in use, in other case", [&] { Type(IDC_ATTRIBUTE_NAME, L" logo "); Click(IDC_ATTRIBUTE_ADD); },
         L"Name is already defined", catalogue(logoColour)},
        {L"add: blanks only", [&] { Type(IDC_ATTRIBUTE_NAME, L" \t "); Click(IDC_ATTRIBUTE_ADD); },
         L"Missing attribute name", catalogue(logoColour)},
        {L"update without a selection", [&] { Pick(IDC_ATTRIBUTE_LIST, -1); Click(IDC_ATTRIBUTE_UPDATE); },
         L"Nothing selected to update", catalogue(logoColour)},
        {L"delete without a selection", [&] { Click(IDC_ATTRIBUTE_DEL); }, L"No attribute selected", catalogue(logoColour)},
        {L"update to another line's name", [&] { Pick(IDC_ATTRIBUTE_LIST, 0); Type(IDC_ATTRIBUTE_NAME, L"COLOUR"); Click(IDC_ATTRIBUTE_UPDATE); },
         L"Name is already defined", catalogue(logoColour)},
        {L"update to an empty name", [&] { Type(IDC_ATTRIBUTE_NAME, L""); Click(IDC_ATTRIBUTE_UPDATE); },
         L"Missing attribute name", catalogue(logoColour)},
        {L"update keeps its own name in another case", [&] { Type(IDC_ATTRIBUTE_NAME, L"LOGO"); ChooseType(L"Text"); Click(IDC_ATTRIBUTE_UPDATE); },
         L"", catalogue(L"Attribute(name=LOGO type=Text) Attribute(name=Colour type=Color)")},
        {L"delete the last line", [&] { Pick(IDC_ATTRIBUTE_LIST, 1); Click(IDC_ATTRIBUTE_DEL); },
         L"", catalogue(L"Attribute(name=LOGO type=Text)")},
        {L"delete the only line", [&] { Click(IDC_ATTRIBUTE_DEL); }, L"", catalogue(L"")},
    }, [this] { return Stored(); });
    EXPECT_TRUE(Lines(IDC_ATTRIBUTE_LIST).empty());
}

TEST_F(SetupDialogTest, ThePreviousLineIsSelectedAfterTheLastIsDeleted)
{
    Open();
    for (const wchar_t* name : {L"A", L"B", L"C"}) {
        Type(IDC_ATTRIBUTE_NAME, name);
        Click(IDC_ATTRIBUTE_ADD);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"A\tText", L"B\tText", L"C\tText"}), Lines(IDC_ATTRIBUTE_LIST));
    EXPECT_EQ(2, Selected(IDC_ATTRIBUTE_LIST)) << "an added line is selected";
    Pick(IDC_ATTRIBUTE_LIST, 1);
    Click(IDC_ATTRIBUTE_DEL);
    EXPECT_EQ(1, Selected(IDC_ATTRIBUTE_LIST));
    EXPECT_EQ(L"C", Text(IDC_ATTRIBUTE_NAME)) << "the line now at that place is shown";
    Click(IDC_ATTRIBUTE_DEL);
    EXPECT_EQ(0, Selected(IDC_ATTRIBUTE_LIST));
    EXPECT_EQ(L"A", Text(IDC_ATTRIBUTE_NAME));
}

TEST_F(SetupDialogTest, StylesTakeTheCatalogueOfTheirTimeAndKeepTheirValues)
{
    Open();
    Type(IDC_ATTRIBUTE_NAME, L"Logo");
    ChooseType(L"File");
    Click(IDC_ATTRIBUTE_ADD);
    const std::wstring logo = L"Attributes(){Attribute(name=Logo type=File)}";
    const std::wstring both = L"Attributes(){Attribute(name=Logo type=File) Attribute(name=Colour type=Color)}";
    RunSteps({
        {L"add a style", [&] { Type(IDC_STYLE_NAME, L" Red "); Click(IDC_STYLE_ADD); },
         L"", L"Quillon(){" + logo + L" Styles(){Style(name=Red){Attribute(name=Logo type=File value=)}}}"},
        {L"a later attribute", [&] { Type(IDC_ATTRIBUTE_NAME, L"Colour"); ChooseType(L"Color"); Click(IDC_ATTRIBUTE_ADD); },
         L"", L"Quillon(){Styles(){Style(name=Red){Attribute(name=Logo type=File value=)}} " + both + L"}"},
        {L"a style made now has both", [&] { Type(IDC_STYLE_NAME, L"Blue"); Click(IDC_STYLE_ADD); },
         L"", L"Quillon(){Styles(){Style(name=Red){Attribute(name=Logo type=File value=)} Style(name=Blue){"
              L"Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " + both + L"}"},
        {L"a value", [&] { Pick(IDC_STYLE_LIST, 0); Type(IDC_STYLE_VALUE, L"red.png"); },
         L"", L"Quillon(){Styles(){Style(name=Red){Attribute(name=Logo type=File value=red.png)} Style(name=Blue){"
              L"Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " + both + L"}"},
        {L"add: a name in use", [&] { Type(IDC_STYLE_NAME, L"BLUE"); Click(IDC_STYLE_ADD); }, L"Name is already defined",
         L"Quillon(){Styles(){Style(name=Red){Attribute(name=Logo type=File value=red.png)} Style(name=Blue){"
              L"Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " + both + L"}"},
        {L"add: no name", [&] { Type(IDC_STYLE_NAME, L"\t"); Click(IDC_STYLE_ADD); }, L"Missing style name",
         L"Quillon(){Styles(){Style(name=Red){Attribute(name=Logo type=File value=red.png)} Style(name=Blue){"
              L"Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " + both + L"}"},
        {L"rename to a name in use", [&] { Type(IDC_STYLE_NAME, L"blue"); Click(IDC_STYLE_UPDATE); }, L"Name is already defined",
         L"Quillon(){Styles(){Style(name=Red){Attribute(name=Logo type=File value=red.png)} Style(name=Blue){"
              L"Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " + both + L"}"},
        {L"rename keeps the values", [&] { Type(IDC_STYLE_NAME, L"Crimson"); Click(IDC_STYLE_UPDATE); }, L"",
         L"Quillon(){Styles(){Style(name=Crimson){Attribute(name=Logo type=File value=red.png)} Style(name=Blue){"
              L"Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " + both + L"}"},
        {L"delete a style", [&] { Click(IDC_STYLE_DEL); }, L"",
         L"Quillon(){Styles(){Style(name=Blue){Attribute(name=Logo type=File value=) Attribute(name=Colour type=Color value=)}} " +
             both + L"}"},
    }, [this] { return Stored(); });

    EXPECT_EQ((std::vector<std::wstring>{L"Blue"}), Lines(IDC_STYLE_LIST));
    EXPECT_EQ(0, Selected(IDC_STYLE_LIST));
    EXPECT_EQ(L"Blue", Text(IDC_STYLE_NAME));
    EXPECT_EQ((std::vector<std::wstring>{L"Logo\t", L"Colour\t"}), Lines(IDC_STYLE_ATTRIBUTES));
    Pick(IDC_STYLE_ATTRIBUTES, 1);
    EXPECT_EQ(L"Colour", Text(IDC_STYLE_ATTRIBUTE));
    Type(IDC_STYLE_VALUE, L"#FF0000");
    EXPECT_EQ((std::vector<std::wstring>{L"Logo\t", L"Colour\t#FF0000"}), Lines(IDC_STYLE_ATTRIBUTES));
    EXPECT_EQ(1, Selected(IDC_STYLE_ATTRIBUTES));
}

TEST_F(SetupDialogTest, LoadingAndClearingWriteNothing)
{
    Store([](CXmlNode& root) {
        CXmlNode* styles = new CXmlNode(&root, L"Styles");
        CXmlNode* style = new CXmlNode(styles, L"Style");
        style->SetAttribute(L"name", L"Red");
        CXmlNode* value = new CXmlNode(style, L"Attribute");
        value->SetAttribute(L"name", L"Logo");
        value->SetAttribute(L"type", L"File");
        value->SetAttribute(L"value", L"red.png");
        new CXmlNode(styles, L"Style");  // no name: not listed
    });
    const std::wstring before = Stored();
    host.ClearLog();
    Open();
    doc.LoadFromActiveScene();
    Pick(IDC_STYLE_LIST, 0);
    Pick(IDC_STYLE_ATTRIBUTES, 0);
    EXPECT_EQ(0, DocumentWrites()) << "showing a value is no change of it";
    EXPECT_EQ((std::vector<std::wstring>{L"Red"}), Lines(IDC_STYLE_LIST));
    EXPECT_EQ(L"red.png", Text(IDC_STYLE_VALUE));

    doc.Clear();
    EXPECT_TRUE(Lines(IDC_STYLE_LIST).empty());
    EXPECT_TRUE(Lines(IDC_STYLE_ATTRIBUTES).empty());
    EXPECT_EQ(L"", Text(IDC_STYLE_VALUE));
    EXPECT_EQ(0, DocumentWrites());
    EXPECT_EQ(before, Stored());
}

TEST_F(SetupDialogTest, TheSplitterSizesTheUserLeftGoToTheHostRegistry)
{
    Open();
    HWND outer = GetDlgItem(dialog->GetSafeHwnd(), 0xE900);
    ASSERT_NE(nullptr, outer);
    HWND inner = GetDlgItem(outer, CSplitterWnd::PaneId(1, 0));
    ASSERT_NE(nullptr, inner);
    RECT styles{};
    GetWindowRect(view, &styles);
    EXPECT_EQ(265, styles.bottom - styles.top);

    // The dialog's size change puts the splitter 3 pixels inside it.
    MoveWindow(dialog->GetSafeHwnd(), 0, 0, 720, 500, TRUE);
    RECT placed{};
    GetWindowRect(outer, &placed);
    MapWindowPoints(nullptr, dialog->GetSafeHwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(3, placed.left);
    EXPECT_EQ(3, placed.top);
    EXPECT_EQ(714, placed.right - placed.left);
    EXPECT_EQ(494, placed.bottom - placed.top);

    SendMessageW(outer, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 268));
    SendMessageW(outer, WM_LBUTTONUP, 0, MAKELPARAM(20, 203));
    SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(343, 20));
    SendMessageW(inner, WM_LBUTTONUP, 0, MAKELPARAM(303, 20));
    dialog.reset();
    EXPECT_EQ(L"200", DescribeValue(host.Registry()[{L"Quillon", L"TopViewHeight"}].Get()));
    EXPECT_EQ(L"300", DescribeValue(host.Registry()[{L"Quillon", L"BottomLeftViewWidth"}].Get()));

    // A new dialog starts from the sizes of its own, and leaves them when untouched.
    Open();
    GetWindowRect(view, &styles);
    EXPECT_EQ(265, styles.bottom - styles.top);
    dialog.reset();
    EXPECT_EQ(L"265", DescribeValue(host.Registry()[{L"Quillon", L"TopViewHeight"}].Get()));
    EXPECT_EQ(L"340", DescribeValue(host.Registry()[{L"Quillon", L"BottomLeftViewWidth"}].Get()));
}

} // namespace
