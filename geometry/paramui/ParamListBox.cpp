#include "geometry/paramui/ParamListBox.h"

#include <windowsx.h>

#include "common/storedvalues/CNumbers.h"
#include "geometry/paramui/ParamUiResources.h"
#include "geometry/paramui/TrackMessages.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Module.h"

namespace {

constexpr int kEntryWidth = 100;

}  // namespace

CParamListBox::~CParamListBox()
{
    // The window's last messages still reach the rows and the editor.
    DestroyWindow();
}

bool CParamListBox::Create(const RECT& rect, HWND parent, UINT id)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_BORDER | WS_VSCROLL | LBS_DISABLENOSCROLL |
                        LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS;
    if (!CreateEx(0, L"LISTBOX", L"", style, rect, parent, id))
        return false;
    m_separatorPen.Reset(CreatePen(PS_SOLID, 1, RGB(254, 254, 254)));
    {
        WindowDC screen(GetSafeHwnd());
        const int height = -MulDiv(8, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
        m_font.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
    }
    m_dragCursor = LoadCursorW(CurrentModule(), MAKEINTRESOURCEW(IDC_PARAM_DRAG));
    if (!m_editor.CreateEx(WS_EX_STATICEDGE, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL | ES_NOHIDESEL,
                           {10, 10, 110, 110}, GetSafeHwnd(), kEditorId))
        return false;
    m_editor.SetFont(m_font.Get(), false);
    return true;
}

void CParamListBox::InsertRow(int index, CAETrack* row)
{
    const int count = RowCount();
    const int at = index < 0 || index > count ? count : index;
    m_inserting = row;
    const LRESULT inserted = SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(L""));
    if (inserted >= 0)
        SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(inserted), reinterpret_cast<LPARAM>(row));
    m_inserting = nullptr;
}

CAEMainTrack* CParamListBox::AddMainRow(int index, const std::wstring& name)
{
    CAEMainTrack* row = Adopt(std::make_unique<CAEMainTrack>(*this, name));
    InsertRow(index, row);
    return row;
}

int CParamListBox::FindRow(const CAETrack* row) const
{
    const int count = RowCount();
    for (int i = 0; i < count; ++i)
        if (RowAt(i) == row)
            return i;
    return -1;
}

int CParamListBox::RowCount() const
{
    const LRESULT count = GetSafeHwnd() ? SendMessage(LB_GETCOUNT) : 0;
    return count > 0 ? static_cast<int>(count) : 0;
}

CAETrack* CParamListBox::RowAt(int index) const
{
    const LRESULT data = SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(index));
    return data == LB_ERR ? nullptr : reinterpret_cast<CAETrack*>(data);
}

void CParamListBox::ValuesReplaced()
{
    if (!GetSafeHwnd())
        return;
    m_refreshEditorText = true;
    Invalidate(false);
}

RECT CParamListBox::EntryRect(int index) const
{
    RECT rect{};
    SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

void CParamListBox::InvalidateRow(const CAETrack* row)
{
    const int index = FindRow(row);
    if (index < 0)
        return;
    const RECT rect = EntryRect(index);
    InvalidateRect(GetSafeHwnd(), &rect, TRUE);
}

bool CParamListBox::OnReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        const CAETrack* row = m_inserting ? m_inserting : reinterpret_cast<const CAETrack*>(item->itemData);
        item->itemHeight = row ? static_cast<UINT>(row->Height()) : 16;
        item->itemWidth = kEntryWidth;
        result = TRUE;
        return true;
    }
    case WM_DRAWITEM:
        // Everything is painted in WM_PAINT.
        result = TRUE;
        return true;
    case WM_DELETEITEM:
        // An entry going never frees its row: collapsed rows live on in
        // their group, and the list box frees every row once.
        result = TRUE;
        return true;
    default:
        return false;
    }
}

bool CParamListBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    if (msg >= kFirstTrackMessage && msg <= kLastTrackMessage) {
        result = OnTrackMessage(msg, wParam, lParam);
        return true;
    }
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PAINT:
        Paint();
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
        return true;
    case WM_LBUTTONUP:
        if (CAETrack* row = m_capture) {
            if (GetCapture() == GetSafeHwnd())
                ReleaseCapture();
            row->OnMouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        }
        EndDrag();
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != GetSafeHwnd())
            EndDrag();
        return true;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        result = Default(msg, wParam, lParam);
        Invalidate(false);
        return true;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == m_editor.GetSafeHwnd() && lParam) {
            if (HIWORD(wParam) == EN_CHANGE)
                OnEditorChange();
            return true;
        }
        // Only a menu's own command (no control, no notification code) is an
        // option: the editor's id lies inside the option range.
        if (lParam == 0 && HIWORD(wParam) == 0 && LOWORD(wParam) >= kFirstOptionCommand &&
            LOWORD(wParam) <= kLastOptionCommand) {
            if (m_menuTarget)
                m_menuTarget->OnMenuCommand(LOWORD(wParam));
            return true;
        }
        return false;
    default:
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
}

bool CParamListBox::OnTrackMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* row = reinterpret_cast<CAETrack*>(wParam);
    switch (msg) {
    case UM_CLEARSELECTION:
        ClearSelection();
        break;
    case UM_EXPANDGROUP:
        ExpandGroup(static_cast<CAEGroupTrack*>(row));
        break;
    case UM_COLLAPSEGROUP:
        CollapseGroup(static_cast<CAEGroupTrack*>(row));
        break;
    case UM_SETMENUTARGET: {
        m_menuTarget = row;
        const int index = FindRow(row);
        if (lParam && index >= 0)
            *reinterpret_cast<RECT*>(lParam) = EntryRect(index);
        break;
    }
    case UM_REMEASUREROW:
        Remeasure(row);
        break;
    case UM_BEGINDRAG:
        m_capture = row;
        SetCursor(lParam == kDragCursor && m_dragCursor ? m_dragCursor : LoadCursorW(nullptr, IDC_CROSS));
        SetCapture(GetSafeHwnd());
        break;
    case UM_VALUECHANGED:
    case UM_LOADCLICKED:
    case UM_SAVECLICKED:
        if (HWND parent = GetParent(GetSafeHwnd()))
            ::SendMessageW(parent, msg, wParam, lParam);
        break;
    case UM_SELECTROW:
        SelectRow(row);
        break;
    case UM_PLACEEDITOR:
        PlaceEditor();
        break;
    default:
        break;
    }
    return false;
}

void CParamListBox::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(GetSafeHwnd(), &ps);
    const RECT client = GetClientRect();
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && bitmap) {
        const HGDIOBJ oldBitmap = SelectObject(memory.Get(), bitmap.Get());
        FillRect(memory.Get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        m_editTarget = nullptr;
        const HGDIOBJ oldPen = SelectObject(memory.Get(), m_separatorPen.Get());
        const int count = RowCount();
        for (int i = static_cast<int>(SendMessage(LB_GETTOPINDEX)); i < count; ++i) {
            RECT entry = EntryRect(i);
            if (entry.top >= client.bottom)
                break;
            CAETrack* row = RowAt(i);
            if (!row)
                continue;
            MoveToEx(memory.Get(), entry.left, entry.top, nullptr);
            LineTo(memory.Get(), entry.right, entry.top);
            entry.top += 1;
            row->DrawBackground(memory.Get(), entry);
            row->DrawControls(m_font.Get(), memory.Get(), entry);
            row->DrawLabel(m_font.Get(), memory.Get(), entry);
            row->DrawKeys(memory.Get(), entry, row->IsSelected());
            if (row->IsSelected() && row->Kind() == kTrackSlider)
                m_editTarget = static_cast<CAESliderTrack*>(row);
        }
        SelectObject(memory.Get(), oldPen);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
        SelectObject(memory.Get(), oldBitmap);
    }
    EndPaint(GetSafeHwnd(), &ps);
    PostMessageW(GetSafeHwnd(), UM_PLACEEDITOR, 0, 0);
}

void CParamListBox::HideEditor()
{
    if (m_editorShown)
        ShowWindow(m_editor.GetSafeHwnd(), SW_HIDE);
    m_editorShown = false;
    m_lastEditorText.clear();
}

void CParamListBox::PlaceEditor()
{
    const int index = m_editTarget ? FindRow(m_editTarget) : -1;
    const RECT& text = m_editTarget ? m_editTarget->ValueTextRect() : RECT{};
    if (index < 0 || text.left == INT_MAX) {
        HideEditor();
        return;
    }
    const RECT entry = EntryRect(index);
    const RECT wanted{entry.left + text.left - 4, entry.top + 1, entry.left + text.right + 6, entry.top + 16};
    // Compared with where the editor is, not where it was put: scrolling
    // moves it with the list.
    const RECT actual = m_editor.GetRectInParent();
    if (!EqualRect(&actual, &wanted))
        SetWindowPos(m_editor.GetSafeHwnd(), nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                     wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!m_editorShown) {
        ShowWindow(m_editor.GetSafeHwnd(), SW_SHOWNA);
        m_editorShown = true;
    }
    if (m_refreshEditorText) {
        const std::wstring value = m_editTarget->ValueText();
        if (value != m_lastEditorText) {
            m_editorChangeEnabled = false;
            m_editor.SetWindowText(value);
            m_editorChangeEnabled = true;
            m_lastEditorText = value;
        }
    }
}

void CParamListBox::OnEditorChange()
{
    if (!m_editTarget || !m_editorChangeEnabled)
        return;
    CAESliderTrack* target = m_editTarget;
    target->SetFromEditor(ParseLeadingCDouble(m_editor.GetWindowText()));
    if (!GetSafeHwnd())
        return;
    InvalidateRow(target);
    // What the user types stays as typed.
    m_refreshEditorText = false;
}

void CParamListBox::OnMouseDown(POINT point)
{
    m_refreshEditorText = true;
    const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    const int index = LOWORD(hit);
    if (index >= RowCount())
        return;
    CAETrack* row = RowAt(index);
    if (!row)
        return;
    const RECT entry = EntryRect(index);
    row->OnMouseDown({point.x - entry.left, point.y - entry.top});
    // The row's action may have ended the panel.
    if (GetSafeHwnd())
        InvalidateRect(GetSafeHwnd(), &entry, TRUE);
}

void CParamListBox::OnMouseMove(POINT point, WPARAM keys)
{
    if (!m_capture)
        return;
    if (!(keys & MK_LBUTTON)) {
        // The button went up where we could not see it.
        if (GetCapture() == GetSafeHwnd())
            ReleaseCapture();
        EndDrag();
        return;
    }
    CAETrack* row = m_capture;
    if (row->OnMouseMove(point) && GetSafeHwnd()) {
        InvalidateRow(row);
        UpdateWindow(GetSafeHwnd());
    }
}

void CParamListBox::EndDrag()
{
    if (!m_capture)
        return;
    CAETrack* row = m_capture;
    m_capture = nullptr;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    InvalidateRow(row);
}

void CParamListBox::ExpandGroup(CAEGroupTrack* group)
{
    const int index = FindRow(group);
    if (index < 0)
        return;
    InsertHiddenRows(group, index + 1);
    Invalidate(false);
}

int CParamListBox::InsertHiddenRows(CAEGroupTrack* group, int index)
{
    TrackList rows;
    rows.swap(group->HiddenChildren());
    for (CAETrack* row : rows) {
        InsertRow(index++, row);
        if (row->Kind() == kTrackGroup && !row->IsCollapsed())
            index = InsertHiddenRows(static_cast<CAEGroupTrack*>(row), index);
    }
    return index;
}

void CParamListBox::CollapseGroup(CAEGroupTrack* group)
{
    const int index = FindRow(group);
    if (index < 0)
        return;
    CollapseInto(group, index + 1);
    Invalidate(false);
}

void CParamListBox::CollapseInto(CAEGroupTrack* group, int index)
{
    while (index < RowCount()) {
        CAETrack* row = RowAt(index);
        if (!row || row->Depth() <= group->Depth())
            break;
        group->AddChild(row);
        SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index));
        if (row->Kind() == kTrackGroup)
            CollapseInto(static_cast<CAEGroupTrack*>(row), index);
    }
}

void CParamListBox::Remeasure(CAETrack* row)
{
    const int index = FindRow(row);
    if (index < 0)
        return;
    const LRESULT top = SendMessage(LB_GETTOPINDEX);
    SendMessage(LB_DELETESTRING, static_cast<WPARAM>(index));
    InsertRow(index, row);
    SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(top));
    Invalidate(false);
}

void CParamListBox::SelectRow(CAETrack* row)
{
    if (!row || row->IsSelected())
        return;
    ClearSelection();
    row->SetSelected(true);
    InvalidateRow(row);
    for (int i = FindRow(row) - 1; i >= 0; --i) {
        CAETrack* above = RowAt(i);
        if (above && above->Kind() == kTrackMain) {
            above->SetSelected(true);
            InvalidateRow(above);
            break;
        }
    }
}

void CParamListBox::ClearSelection()
{
    // Every row the list box keeps, shown or hidden in a group.
    for (const auto& row : m_rows)
        if (row->IsSelected()) {
            row->SetSelected(false);
            InvalidateRow(row.get());
        }
    if (HWND parent = GetParent(GetSafeHwnd()))
        ::SendMessageW(parent, UM_SELECTIONCLEARED, 0, 0);
}
