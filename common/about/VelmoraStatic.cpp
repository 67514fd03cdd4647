#include "common/about/VelmoraStatic.h"

#include "common/about/AboutDialog.h"

void CVelmoraStatic::SetHandCursor()
{
    if (!m_cursor) m_cursor = ::LoadCursorW(nullptr, IDC_HAND);
}

void CVelmoraStatic::OnSubclassed()
{
    // Without it a static lets the mouse through to its parent.
    ModifyStyle(0, SS_NOTIFY);
}

bool CVelmoraStatic::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SETCURSOR:
        if (!m_cursor) break;
        ::SetCursor(m_cursor);
        result = TRUE;
        return true;
    case WM_LBUTTONDOWN: {
        CAboutDialog about(::GetAncestor(GetSafeHwnd(), GA_ROOT));
        about.DoModal();
        break; // then the default handling of the click
    }
    default:
        break;
    }
    return CStatic::OnMessage(msg, wParam, lParam, result);
}
