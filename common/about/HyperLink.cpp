#include "common/about/HyperLink.h"

#include "common/about/LinkOpening.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Module.h"
#include "platform/ui/UserPrompts.h"

#include <commctrl.h>
#include <windowsx.h>

namespace {

constexpr UINT_PTR kToolId = 1;

} // namespace

CHyperLink::~CHyperLink()
{
    // The control outlives us: give it back its own font, not one we free.
    if (GetSafeHwnd() && m_originalFont != GetFont()) SetFont(m_originalFont, false);
    if (GetSafeHwnd()) ::KillTimer(GetSafeHwnd(), kHoverTimer);
}

void CHyperLink::SetURL(const std::wstring& url)
{
    m_url = url;
    if (!GetSafeHwnd()) return;
    FitToText();
    UpdateTooltipText();
}

void CHyperLink::SetVisited(bool visited)
{
    m_visited = visited;
    if (GetSafeHwnd()) Invalidate();
}

void CHyperLink::SetUnderline(int mode)
{
    if (mode != m_underline && GetSafeHwnd()) {
        SetFont(mode == 1 ? m_underlinedFont.Get() : m_normalFont.Get(), false);
        Invalidate();
    }
    m_underline = mode;
}

void CHyperLink::OnSubclassed()
{
    ModifyStyle(0, SS_NOTIFY); // so that the static reports clicks
    const std::wstring text = GetWindowText();
    if (m_url.empty()) m_url = text;
    if (text.empty()) SetWindowText(m_url);
    m_originalFont = GetFont();
    MakeFonts();
    FitToText();
    if (!m_linkCursor) LoadDefaultCursor();
    CreateTooltip();
}

void CHyperLink::MakeFonts()
{
    HFONT font = GetFont();
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (!font) font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
    LOGFONTW description{};
    ::GetObjectW(font, sizeof(description), &description);
    m_normalFont.Reset(::CreateFontIndirectW(&description));
    description.lfUnderline = TRUE;
    m_underlinedFont.Reset(::CreateFontIndirectW(&description));
}

void CHyperLink::FitToText()
{
    if (!m_adjustToFit || !GetSafeHwnd()) return;
    const std::wstring text = GetWindowText();
    SIZE extent{};
    {
        WindowDC dc(GetSafeHwnd());
        SelectedObject font(dc.Get(), m_underlinedFont.Get());
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    RECT window = GetRectInParent();
    const RECT client = GetClientRect();
    const int width = extent.cx + (window.right - window.left) - (client.right - client.left);
    const int height = extent.cy + (window.bottom - window.top) - (client.bottom - client.top);

    const DWORD style = GetStyle();
    if (style & SS_CENTERIMAGE) {
        window.top += ((window.bottom - window.top) - height) / 2;
    }
    window.bottom = window.top + height;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        window.left += ((window.right - window.left) - width) / 2;
        window.right = window.left + width;
        break;
    case SS_RIGHT:
        window.left = window.right - width;
        break;
    default:
        window.right = window.left + width;
        break;
    }
    ::SetWindowPos(GetSafeHwnd(), nullptr, window.left, window.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::LoadDefaultCursor()
{
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring path = std::wstring(folder) + L"\\winhlp32.exe";
    UniqueModule module(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return;
    if (HCURSOR cursor = ::LoadCursorW(module.Get(), MAKEINTRESOURCEW(106)))
        m_linkCursor.Reset(static_cast<HCURSOR>(::CopyIcon(cursor))); // ours after the file is freed
}

void CHyperLink::CreateTooltip()
{
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    m_tooltip.Reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetSafeHwnd(),
                                      nullptr, CurrentModule(), nullptr));
    if (!m_tooltip) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetSafeHwnd();
    tool.uId = kToolId;
    tool.rect = GetClientRect();
    tool.lpszText = const_cast<wchar_t*>(m_url.c_str());
    ::SendMessageW(m_tooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::UpdateTooltipText()
{
    if (!m_tooltip) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetSafeHwnd();
    tool.uId = kToolId;
    tool.lpszText = const_cast<wchar_t*>(m_url.c_str());
    ::SendMessageW(m_tooltip.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool CHyperLink::PreTranslateMessage(MSG& msg)
{
    if (m_tooltip && msg.hwnd == GetSafeHwnd())
        ::SendMessageW(m_tooltip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    return CStatic::PreTranslateMessage(msg);
}

bool CHyperLink::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SETCURSOR:
        if (!m_linkCursor) break;
        ::SetCursor(m_linkCursor.Get());
        result = TRUE;
        return true;
    case WM_MOUSEMOVE:
        OnMouseOver();
        break;
    case WM_TIMER:
        if (wParam != kHoverTimer) break;
        OnHoverTick();
        result = 0;
        return true;
    case WM_ERASEBKGND: {
        const RECT client = GetClientRect();
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, ::GetSysColorBrush(COLOR_BTNFACE));
        result = TRUE;
        return true;
    }
    case WM_DESTROY:
        ::KillTimer(GetSafeHwnd(), kHoverTimer);
        m_tooltip.Reset();
        break;
    default:
        break;
    }
    return CStatic::OnMessage(msg, wParam, lParam, result);
}

bool CHyperLink::OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, TextColour());
        ::SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        OnClicked();
        result = 0;
        return true;
    }
    return CStatic::OnReflectedMessage(msg, wParam, lParam, result);
}

COLORREF CHyperLink::TextColour() const
{
    if (m_over) return m_hoverColour;
    return m_visited ? m_visitedColour : m_linkColour;
}

void CHyperLink::OnMouseOver()
{
    if (m_over) return;
    m_over = true;
    if (m_underline == -1) SetFont(m_underlinedFont.Get(), false);
    Invalidate();
    ::SetTimer(GetSafeHwnd(), kHoverTimer, 100, nullptr);
}

void CHyperLink::OnHoverTick()
{
    const DWORD position = ::GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ::ScreenToClient(GetSafeHwnd(), &point);
    RECT client = GetClientRect();
    if (::PtInRect(&client, point)) return;
    m_over = false;
    ::KillTimer(GetSafeHwnd(), kHoverTimer);
    if (m_underline != 1) SetFont(m_normalFont.Get(), false);
    client.bottom += 10;
    ::InvalidateRect(GetSafeHwnd(), &client, TRUE);
}

void CHyperLink::OnClicked()
{
    m_over = false;
    if (m_notifyParent) {
        NMHDR header{GetSafeHwnd(), static_cast<UINT_PTR>(::GetDlgCtrlID(GetSafeHwnd())), kClickedCode};
        ::SendMessageW(::GetParent(GetSafeHwnd()), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        return;
    }
    const INT_PTR result = GotoURL(m_url, SW_SHOW);
    if (result > 32) {
        SetVisited(true);
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ShowMessageBox(GetSafeHwnd(), LinkErrorText(result), MB_ICONEXCLAMATION | MB_OK);
}
