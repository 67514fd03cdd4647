#include "charteditor/ChartsDialog.h"

#include <algorithm>

#include "charteditor/ChartEditorIds.h"
#include "charteditor/PieChartDialog.h"
#include "platform/ui/TabPages.h"

CChartsDialog::CChartsDialog(HWND parent, CQuillonDoc* document)
    : CChartPage(IDD_CHARTS, parent), m_document(document)
{
    Create();
}

CChartsDialog::~CChartsDialog()
{
    DestroyWindow();
}

BOOL CChartsDialog::OnInitDialog()
{
    CChartPage::OnInitDialog();
    m_tabs = GetItem(IDC_CHART_TABS);
    m_pie = std::make_unique<CPieChartDialog>(m_tabs, m_document);
    InsertTab(m_tabs, 0, L"Pie", m_pie->GetSafeHwnd());
    ShowSelectedPage(m_tabs);
    const RECT client = GetClientRect();
    Layout(client.right, client.bottom);
    return TRUE;
}

void CChartsDialog::OnChartUpdate(CView* sender, LPARAM hint, void* object)
{
    for (CChartPage* page : {m_pie.get(), m_bar.get(), m_line.get()})
        ForwardChartUpdate(page, sender, hint, object);
}

void CChartsDialog::Layout(int width, int height)
{
    if (!m_tabs)
        return;
    const RECT tabs = ::GetRectInParent(m_tabs);
    ::MoveWindow(m_tabs, tabs.left, tabs.top, std::max(width - 10, 0), std::max(height - 10, 0), TRUE);
    PlaceTabPages(m_tabs, width - 23, height - 33);
}

bool CChartsDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_SIZE) {
        Layout(LOWORD(lParam), HIWORD(lParam));
    } else if (msg == WM_NOTIFY && ShowPageOnSelectionChange(m_tabs, lParam)) {
        result = 0;
        return true;
    }
    return CChartPage::OnMessage(msg, wParam, lParam, result);
}
