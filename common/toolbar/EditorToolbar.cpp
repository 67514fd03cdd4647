#include "common/toolbar/EditorToolbar.h"

#include "common/toolbar/MagentaKeyedImageList.h"
#include "platform/ui/Module.h"

namespace {

constexpr int kImageSize = 24;
constexpr int kImageRoom = 10;
constexpr UINT kRebarId = 0xE81C;
constexpr UINT kToolbarId = 0xE800;

}  // namespace

// Pure magenta is the pictures' transparent colour: it becomes the button face.
UniqueImageList CEditorToolbar::LoadImages(UINT bitmapId)
{
    return LoadMagentaKeyedImageList(bitmapId, kImageSize, kImageSize, kImageRoom, GetSysColor(COLOR_BTNFACE));
}

bool CEditorToolbar::Create(HWND dialog, const std::vector<ToolbarButton>& buttons, const ToolbarBitmaps& bitmaps)
{
    m_rebar = CreateWindowExW(0, REBARCLASSNAMEW, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS | CCS_TOP |
                                  CCS_NODIVIDER,
                              0, 0, 0, 0, dialog, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRebarId)),
                              CurrentModule(), nullptr);
    if (!m_rebar)
        return false;
    const RECT none = {};
    if (!CreateEx(0, TOOLBARCLASSNAMEW, L"",
                  WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NORESIZE | CCS_NODIVIDER |
                      CCS_NOPARENTALIGN,
                  none, m_rebar, kToolbarId))
        return false;
    const HWND toolbar = GetSafeHwnd();
    // The rebar hands the buttons' commands to the dialog.
    SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(dialog));
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SendMessage(TB_SETBUTTONWIDTH, 0, MAKELPARAM(50, 150));
    SendMessage(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

    m_disabled = LoadImages(bitmaps.disabled);
    m_hot = LoadImages(bitmaps.hot);
    m_normal = LoadImages(bitmaps.normal);
    SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(m_disabled.Get()));
    SendMessage(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(m_hot.Get()));
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_normal.Get()));

    std::vector<TBBUTTON> items(buttons.size());
    for (size_t i = 0; i < buttons.size(); ++i) {
        const ToolbarButton& button = buttons[i];
        if (!button.command) {
            items[i].fsStyle = BTNS_SEP;
            continue;
        }
        items[i].iBitmap = button.image;
        items[i].idCommand = button.command;
        items[i].fsState = TBSTATE_ENABLED;
        items[i].fsStyle = BTNS_BUTTON;
        items[i].iString = reinterpret_cast<INT_PTR>(button.text);
    }
    SendMessage(TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));

    RECT first = {};
    SendMessage(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int buttonWidth = first.right - first.left;
    const int buttonHeight = first.bottom - first.top + 2;
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth, buttonHeight));
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(28, 24));
    SendMessage(TB_AUTOSIZE);

    REBARBANDINFOW band = {};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_FIXEDBMP | RBBS_GRIPPERALWAYS;
    band.hwndChild = toolbar;
    band.cxMinChild = buttonWidth;
    band.cyMinChild = buttonHeight;
    band.cx = band.cxIdeal = 9 * buttonWidth;
    ::SendMessageW(m_rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    return true;
}

bool CEditorToolbar::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_ERASEBKGND) {
        result = DefWindowProcW(GetSafeHwnd(), msg, wParam, lParam);
        return true;
    }
    return CWnd::OnMessage(msg, wParam, lParam, result);
}
