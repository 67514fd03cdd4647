#include "charteditor/SetupDialog.h"

#include <algorithm>

#include "chartcontrol/QuillonDoc.h"
#include "charteditor/EmptyView.h"
#include "charteditor/SetupIds.h"
#include "charteditor/SetupStylesView.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostException.h"
#include "platform/ui/FrameWnd.h"

namespace {

constexpr int kSplitterDrop = 28;  // from the client area's top at first
constexpr int kSplitterMargin = 3;
constexpr int kTopViewHeight = 265;
constexpr int kBottomLeftViewWidth = 340;

// The context's view, made as the splitter's pane and shown.
std::unique_ptr<CView> CreatePaneView(const CSplitterWnd& splitter, int row, int column, const CCreateContext& context)
{
    std::unique_ptr<CView> view =
        CreateContextView(context, splitter.GetSafeHwnd(), CSplitterWnd::PaneId(row, column));
    if (view)
        ::ShowWindow(view->GetViewWindow(), SW_SHOW);
    return view;
}

template <typename TView>
CCreateContext ContextFor(CQuillonDoc& document)
{
    return CCreateContext{[] { return std::unique_ptr<CView>(new TView()); }, &document};
}

} // namespace

CSetupDialog::CSetupDialog(HWND parent, CQuillonDoc& document) : CDialog(IDD_SETUP, parent), m_document(document)
{
    KeepOpenOnEnterAndEscape();
    Create();
}

CSetupDialog::~CSetupDialog()
{
    // The sizes are read from the splitters while they still exist.
    DestroyWindow();
}

BOOL CSetupDialog::OnInitDialog()
{
    if (!m_outer.CreateStatic(GetSafeHwnd(), 2, 1, WS_CHILD | WS_VISIBLE, kFirstPaneId) ||
        !m_inner.CreateStatic(m_outer.GetSafeHwnd(), 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER, CSplitterWnd::PaneId(1, 0)))
        return TRUE;
    m_styles = CreatePaneView(m_outer, 0, 0, ContextFor<CSetupStylesView>(m_document));
    m_lowerLeft = CreatePaneView(m_inner, 0, 0, ContextFor<CEmptyView>(m_document));
    m_lowerRight = CreatePaneView(m_inner, 0, 1, ContextFor<CEmptyView>(m_document));

    RECT client = GetClientRect();
    ::OffsetRect(&client, 0, kSplitterDrop);
    ::MoveWindow(m_outer.GetSafeHwnd(), client.left, client.top, client.right - client.left, client.bottom - client.top,
                 TRUE);
    m_outer.SetRowInfo(0, kTopViewHeight, 0);
    m_inner.SetColumnInfo(0, kBottomLeftViewWidth, 0);
    m_outer.RecalcLayout();
    m_inner.RecalcLayout();
    for (CView* view : {m_styles.get(), m_lowerLeft.get(), m_lowerRight.get()})
        if (view)
            view->OnInitialUpdate();
    return TRUE;
}

void CSetupDialog::StoreSizes()
{
    int topHeight = 0, leftWidth = 0, minimum = 0;
    if (!m_outer.GetRowInfo(0, topHeight, minimum) || !m_inner.GetColumnInfo(0, leftWidth, minimum))
        return;
    IDispatch* application = m_document.GetApplication();
    if (!application)
        return;
    try {
        CHostApplication host;
        host.Attach(application);
        host.SetRegistryInt(L"Quillon", L"TopViewHeight", topHeight);
        host.SetRegistryInt(L"Quillon", L"BottomLeftViewWidth", leftWidth);
    } catch (const CHostException&) {
        // The sizes are a convenience; a host that refuses them loses nothing else.
    }
}

bool CSetupDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_SIZE && m_outer.GetSafeHwnd()) {
        const int width = std::max(LOWORD(lParam) - 2 * kSplitterMargin, 0);
        const int height = std::max(HIWORD(lParam) - 2 * kSplitterMargin, 0);
        ::MoveWindow(m_outer.GetSafeHwnd(), kSplitterMargin, kSplitterMargin, width, height, TRUE);
    } else if (msg == WM_DESTROY) {
        StoreSizes();
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
