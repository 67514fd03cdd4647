#include "ChartEditorDemo.h"

#include <windows.h>

#include <memory>
#include <string>

#include "DemoIds.h"
#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/TemplateImportSeam.h"
#include "common/com/ScopedComApartment.h"
#include "charteditor/SetupDialog.h"
#include "platform/ui/Dialog.h"
#include "testing/simhost/SimHost.h"
#include "testing/simhost/SimSceneFile.h"

namespace {

const wchar_t kScene[] = LR"(<Scene name="Markets">
  <Node name="Sales" type="32"/>
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
