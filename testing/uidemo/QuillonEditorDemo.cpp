#include "QuillonEditorDemo.h"

#include <windows.h>
#include <commctrl.h>

#include "DemoIds.h"
#include "chartcontrol/ControlLog.h"
#include "chartcontrol/EditorWindowSeam.h"
#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "charteditor/QuillonDialog.h"
#include "charteditor/QuillonView.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/TabPages.h"
#include "testing/simhost/SimHost.h"

namespace {

// The host's frame: the editor fills it.
class CDemoEditorFrame : public CDialog {
public:
    CDemoEditorFrame(IDispatch* application, bool logTab)
        : CDialog(IDD_DEMO_EDITOR_FRAME), m_application(application), m_logTab(logTab)
    {
    }

protected:
    BOOL OnInitDialog() override
    {
        m_editor = CreateEditorWindow(GetSafeHwnd(), m_application);
        const RECT client = GetClientRect();
        ::MoveWindow(m_editor, 0, 0, client.right, client.bottom, TRUE);
        auto* editor = dynamic_cast<CQuillonDialog*>(CWnd::FromHandle(m_editor));
        if (m_logTab && editor && editor->GetView()) {
            const HWND tabs = editor->GetView()->Tabs();
            ::SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
            ShowSelectedPage(tabs);
            for (const wchar_t* line : {L"UpdateCharts refresh", L"Missing template Sales.symbol",
                                        L"UpdateCharts symbol=EURUSD"})
                PostLogLine(L"%s", line);
        }
        return TRUE;
    }
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_SIZE && m_editor)
            ::MoveWindow(m_editor, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return CDialog::OnMessage(msg, wParam, lParam, result);
    }

private:
    IDispatch* m_application;
    bool m_logTab;
    HWND m_editor = nullptr;
};

}  // namespace

void ShowQuillonEditor(bool logTab)
{
    CSimHost host;
    CSimScene& scene = host.AddScene(L"Elections");
    host.AddTransition(scene, L"In");
    host.AddTransition(scene, L"Out");
    for (const wchar_t* group : {L"Seats", L"Votes"})
        host.AddNode(scene, group, 0);
    host.DeclareProperty({kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L""});
    {
        CQuillonDoc document;
        document.SetApplication(host.Application());
        CXmlNode* pie = new CXmlNode(document.GetRoot().Get(), L"PieChart");
        pie->SetAttribute(L"groupname", L"Seats");
        pie->SetAttribute(L"transitionname", L"In");
        pie->SetAttributeInt(L"startframe", 10);
        pie->SetAttributeInt(L"endframe", 60);
        pie->SetAttribute(L"ordering", L"Leader First");
        pie->SetAttributeInt(L"enable", 1);
        document.SaveDocument();
    }
    CDemoEditorFrame frame(host.Application(), logTab);
    frame.DoModal();
}
