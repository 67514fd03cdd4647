#include "platform/ui/FrameWnd.h"

#include <string>


namespace {

// The frame's window class, registered once per module.
const wchar_t* FrameClass()
{
    static const std::wstring name = RegisterModuleWindowClass(L"VelmoraFrame", CS_HREDRAW | CS_VREDRAW, COLOR_BTNFACE);
    return name.c_str();
}

}  // namespace

CFrameWnd::~CFrameWnd()
{
    // The view's window goes with the frame's; its object after it.
    DestroyWindow();
}

bool CFrameWnd::Create(const wchar_t* windowName, DWORD style, const RECT& rect, HWND parent,
                       const CCreateContext& context)
{
    if (!CreateEx(WS_EX_CONTROLPARENT, FrameClass(), windowName, (style | WS_CHILD | WS_CLIPCHILDREN) & ~WS_VISIBLE,
                  rect, parent, 0))
        return false;
    if (!OnCreateClient(context)) {
        DestroyWindow();
        m_view.reset();
        return false;
    }
    RecalcLayout();
    if (style & WS_VISIBLE)
        ::ShowWindow(GetSafeHwnd(), SW_SHOWNA);
    return true;
}

std::unique_ptr<CView> CreateContextView(const CCreateContext& context, HWND parent, UINT id)
{
    std::unique_ptr<CView> view = context.newView ? context.newView() : nullptr;
    if (!view || !view->CreateView(parent, id))
        return nullptr;
    if (context.document)
        context.document->AddView(view.get());
    return view;
}

bool CFrameWnd::OnCreateClient(const CCreateContext& context)
{
    m_view = CreateContextView(context, GetSafeHwnd(), kFirstPaneId);
    return m_view != nullptr;
}

void CFrameWnd::InitialUpdateFrame(bool visible)
{
    if (m_view) {
        m_view->OnInitialUpdate();
        ::ShowWindow(m_view->GetViewWindow(), SW_SHOW);
    }
    if (visible)
        ::ShowWindow(GetSafeHwnd(), SW_SHOW);
}

void CFrameWnd::RecalcLayout()
{
    if (!m_view || !m_view->GetViewWindow())
        return;
    const RECT client = GetClientRect();
    ::MoveWindow(m_view->GetViewWindow(), 0, 0, client.right, client.bottom, TRUE);
}

bool CFrameWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_SIZE)
        RecalcLayout();
    return CWnd::OnMessage(msg, wParam, lParam, result);
}
