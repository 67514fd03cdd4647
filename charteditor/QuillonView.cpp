#include "charteditor/QuillonView.h"

#include <algorithm>

#include "chartcontrol/QuillonDoc.h"
#include "charteditor/ChartEditorIds.h"
#include "charteditor/ChartsDialog.h"
#include "common/logwindow/LogDialog.h"
#include "platform/ui/TabPages.h"

CQuillonView::CQuillonView() : CFormView(IDD_QUILLON_VIEW)
{
}

CQuillonView::~CQuillonView()
{
    DestroyWindow();
}

CQuillonDoc* CQuillonView::GetQuillonDoc() const
{
    return static_cast<CQuillonDoc*>(GetDocument());
}

void CQuillonView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    if (m_charts)
        return;  // the pages are made once
    m_tabs = GetItem(IDC_VIEW_TABS);
    m_charts = std::make_unique<CChartsDialog>(m_tabs, GetQuillonDoc());
    m_log = std::make_unique<CLogDialog>(m_tabs);
    InsertTab(m_tabs, 0, L"Charts", m_charts->GetSafeHwnd());
    InsertTab(m_tabs, 1, L"Log", m_log->GetSafeHwnd());
    ShowSelectedPage(m_tabs);
    const RECT client = GetClientRect();
    Layout(client.right, client.bottom);
}

void CQuillonView::OnUpdate(CView* sender, LPARAM hint, void* object)
{
    ForwardChartUpdate(m_charts.get(), sender, hint, object);
    // The text-vote page may have gone with its window.
    if (m_textVote && ::IsWindow(m_textVoteWindow) && CWnd::FromHandle(m_textVoteWindow) == m_textVote)
        m_textVote->OnChartUpdate(sender, hint, object);
}

void CQuillonView::AttachTextVotePage(CChartPage* page)
{
    m_textVote = page;
    m_textVoteWindow = page ? page->GetSafeHwnd() : nullptr;
}

void CQuillonView::Layout(int width, int height)
{
    if (!m_tabs)
        return;
    const RECT tabs = ::GetRectInParent(m_tabs);
    ::MoveWindow(m_tabs, tabs.left, tabs.top, std::max(width, 0), std::max(height, 0), TRUE);
    PlaceTabPages(m_tabs, width - 3, height - 23);
}

bool CQuillonView::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_SIZE) {
        Layout(LOWORD(lParam), HIWORD(lParam));
    } else if (msg == WM_NOTIFY && ShowPageOnSelectionChange(m_tabs, lParam)) {
        result = 0;
        return true;
    }
    return CFormView::OnMessage(msg, wParam, lParam, result);
}
