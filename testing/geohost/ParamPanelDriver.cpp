#include "testing/geohost/ParamPanelDriver.h"

#include <vector>

int CParamPanelDriver::Count() const
{
    const LRESULT count = SendMessageW(List(), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

RECT CParamPanelDriver::Entry(int index) const
{
    RECT rect{};
    SendMessageW(List(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

POINT CParamPanelDriver::At(int index, int x, int dy) const
{
    const RECT entry = Entry(index);
    return {entry.left + x, entry.top + dy};
}

void CParamPanelDriver::Click(POINT point) const
{
    Press(point);
    Release(point);
}

void CParamPanelDriver::ClickAndSettle(POINT point) const
{
    Click(point);
    Settle();
}

void CParamPanelDriver::Press(POINT point) const
{
    SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void CParamPanelDriver::MoveTo(POINT point) const
{
    SendMessageW(List(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void CParamPanelDriver::Release(POINT point) const
{
    SendMessageW(List(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void CParamPanelDriver::Type(const std::wstring& text) const
{
    HWND editor = Editor();
    SendMessageW(editor, EM_SETSEL, 0, -1);
    for (wchar_t c : text)
        SendMessageW(editor, WM_CHAR, c, 1);
}

std::wstring CParamPanelDriver::EditorText() const
{
    HWND editor = Editor();
    const int length = GetWindowTextLengthW(editor);
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    GetWindowTextW(editor, text.data(), length + 1);
    return text.data();
}

void CParamPanelDriver::Settle() const
{
    UpdateWindow(List());
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UpdateWindow(List());
}
