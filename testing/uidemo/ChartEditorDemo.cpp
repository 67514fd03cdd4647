#include "ChartEditorDemo.h"

#include <windows.h>

#include <memory>
#include <string>

#include "DemoIds.h"
#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/TemplateImportSeam.h"
#include "base/com/ScopedComApartment.h"
#include "charteditor/BarChartDialog.h"
#include "charteditor/SetupDialog.h"
#include "charteditor/TrellanChartDialog.h"
#include "platform/ui/Dialog.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimSceneFile.h"

namespace {

const wchar_t kScene[] = LR"(<Scene name="Markets">
  <Node name="Sales" type="32"/>
</Scene>)";

// A scene with groups of bars, line charts and transitions.
const wchar_t kChartScene[] = LR"(<Scene name="Markets">
  <Node name="Regions" type="0"/>
  <Node name="Quarters" type="0"/>
  <Node name="Sales" type="32"/>
  <Node name="Costs" type="32"/>
  <Transition name="In"/>
  <Transition name="Out"/>
</Scene>)";

} // namespace

void ShowMakeGroup()
{
    ScopedComApartment com;  // the scene reader is a COM object
    CSimHost host;
    std::wstring error;
    if (!LoadSceneText(host, kScene, error))
        return;
    host.ActiveScene()->activeObject = host.ActiveScene()->Find(L"Sales");
    RunTemplateImport(nullptr, host.Application(), L"Sales", L"Sales Params");
}

namespace {

// The setup dialog is a child: a resizable window of the demo's own holds it.
class CSetupDemoWindow : public CDialog {
public:
    explicit CSetupDemoWindow(CQuillonDoc& document) : CDialog(IDD_DEMO_SETUP_FRAME), m_document(document) {}
    ~CSetupDemoWindow() override { DestroyWindow(); }

protected:
    BOOL OnInitDialog() override
    {
        m_setup = std::make_unique<CSetupDialog>(GetSafeHwnd(), m_document);
        const RECT client = GetClientRect();
        Layout(client.right, client.bottom);
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_SIZE)
            Layout(LOWORD(lParam), HIWORD(lParam));
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }

private:
    void Layout(int width, int height)
    {
        if (m_setup)
            ::MoveWindow(m_setup->GetSafeHwnd(), 0, 0, width, height, TRUE);
    }

    CQuillonDoc& m_document;
    std::unique_ptr<CSetupDialog> m_setup;
};

} // namespace

void ShowSetupDialog()
{
    ScopedComApartment com;
    CSimHost host;
    std::wstring error;
    if (!LoadSceneText(host, kScene, error))
        return;
    host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
    CQuillonDoc document;
    document.SetApplication(host.Application());
    CXmlNode& root = *document.GetRoot();
    CXmlNode* catalogue = new CXmlNode(&root, L"Attributes");
    const wchar_t* const entries[][2] = {{L"Logo", L"File"}, {L"Background", L"Color"}, {L"Caption", L"Text"}};
    for (const auto& entry : entries) {
        CXmlNode* attribute = new CXmlNode(catalogue, L"Attribute");
        attribute->SetAttribute(L"name", entry[0]);
        attribute->SetAttribute(L"type", entry[1]);
    }
    CXmlNode* styles = new CXmlNode(&root, L"Styles");
    const wchar_t* const values[][3] = {{L"Evening News", L"C:\\logos\\evening.png", L"#102040"},
                                        {L"Markets", L"C:\\logos\\markets.png", L"#204010"}};
    for (const auto& value : values) {
        CXmlNode* style = new CXmlNode(styles, L"Style");
        style->SetAttribute(L"name", value[0]);
        for (size_t i = 0; i < 3; ++i) {
            CXmlNode* attribute = new CXmlNode(style, L"Attribute");
            attribute->SetAttribute(L"name", entries[i][0]);
            attribute->SetAttribute(L"type", entries[i][1]);
            attribute->SetAttribute(L"value", i < 2 ? value[i + 1] : value[0]);
        }
    }
    document.SaveDocument();
    document.LoadFromActiveScene();
    CSetupDemoWindow window(document);
    window.DoModal();
}

namespace {

// A chart page in a window of the demo's own, as the Charts tab would hold it.
class CChartPageDemoWindow : public CDialog {
public:
    CChartPageDemoWindow(CQuillonDoc& document, bool bars)
        : CDialog(IDD_DEMO_CHART_PAGE), m_document(document), m_bars(bars)
    {
    }
    ~CChartPageDemoWindow() override { DestroyWindow(); }

protected:
    BOOL OnInitDialog() override
    {
        ::SetWindowTextW(GetSafeHwnd(), m_bars ? L"Plotvane - Bar chart" : L"Plotvane - Line chart");
        if (m_bars)
            m_page = std::make_unique<CBarChartDialog>(GetSafeHwnd(), &m_document);
        else
            m_page = std::make_unique<CTrellanChartDialog>(GetSafeHwnd(), &m_document);
        m_page->LoadSettings();
        ::ShowWindow(m_page->GetSafeHwnd(), SW_SHOW);
        return TRUE;
    }

private:
    CQuillonDoc& m_document;
    bool m_bars;
    std::unique_ptr<CChartSettingsPage> m_page;
};

} // namespace

void ShowChartPage(bool bars)
{
    ScopedComApartment com;
    CSimHost host;
    std::wstring error;
    if (!LoadSceneText(host, kChartScene, error))
        return;
    host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
    CQuillonDoc document;
    document.SetApplication(host.Application());
    {
        CXmlNodePtr root = document.GetRoot();
        CXmlNode* bar = new CXmlNode(root.Get(), L"BarChart");
        const wchar_t* const barSettings[][2] = {{L"groupname", L"Regions"}, {L"transitionname", L"In"},
                                                 {L"style", L"Stacked"},     {L"orientation", L"Vertical"},
                                                 {L"chaintoprevious", L"0"}, {L"enable", L"1"}};
        for (const auto& setting : barSettings)
            bar->SetAttribute(setting[0], setting[1]);
        CXmlNode* line = new CXmlNode(root.Get(), L"Trellan");
        const wchar_t* const lineSettings[][2] = {{L"nodename", L"Sales"}, {L"transitionname", L"Out"},
                                                  {L"enable", L"1"}};
        for (const auto& setting : lineSettings)
            line->SetAttribute(setting[0], setting[1]);
    }
    document.SaveDocument();
    document.LoadFromActiveScene();
    CChartPageDemoWindow window(document, bars);
    window.DoModal();
}
