#include "geometry/paramui/Track.h"

#include <utility>

#include "geometry/paramui/TrackMessages.h"

CAETrack::CAETrack(CWnd& listBox, std::wstring name, void* value, int flags, int kind, int paramId,
                   int expandedHeight)
    : m_listBox(listBox),
      m_name(std::move(name)),
      m_expandedHeight(expandedHeight),
      m_paramId(paramId),
      m_kind(kind),
      m_animated((flags & kTrackNoAnimation) == 0),
      m_value(value)
{
}

void CAETrack::DrawBackground(HDC dc, const RECT& row)
{
    FillSolid(dc, row, kRowBackground);
}

void CAETrack::DrawLabel(HFONT font, HDC dc, const RECT& row)
{
    const HGDIOBJ old = SelectObject(dc, font);
    DrawTextAt(dc, row.left + Indent() + 17, row.top + 1, m_name, RGB(0, 0, 0));
    SelectObject(dc, old);
}

void CAETrack::DrawControls(HFONT, HDC, const RECT&) {}

void CAETrack::DrawKeys(HDC, const RECT&, bool) {}

bool CAETrack::OnMouseDown(POINT)
{
    return false;
}

bool CAETrack::OnMouseUp(POINT)
{
    return false;
}

bool CAETrack::OnMouseMove(POINT)
{
    return false;
}

void CAETrack::SetSelected(bool selected)
{
    m_selected = selected;
}

bool CAETrack::IsSelected() const
{
    return m_selected;
}

void* CAETrack::GetValuePtr() const
{
    return m_value;
}

void CAETrack::SetValuePtr(void* value)
{
    m_value = value;
}

void CAETrack::OnMenuCommand(UINT) {}

bool CAETrack::SaveKeys(IStream*)
{
    return false;
}

bool CAETrack::LoadKeys(IStream*)
{
    return false;
}

bool CAETrack::HitKeyStopwatch(int, int)
{
    return false;
}

bool CAETrack::HitKeyNavigator(int, int)
{
    return false;
}

bool CAETrack::HitKey(POINT)
{
    return false;
}

void CAETrack::OnValueChanged()
{
    Notify(UM_SELECTROW);
    Notify(UM_VALUECHANGED);
}

LRESULT CAETrack::Notify(UINT msg, LPARAM lParam) const
{
    HWND listBox = ListBoxWindow();
    if (!listBox || !IsWindow(listBox))
        return 0;
    const WPARAM self = msg == UM_CLEARSELECTION ? 0 : reinterpret_cast<WPARAM>(this);
    return SendMessageW(listBox, msg, self, lParam);
}

void CAETrack::DrawTriangle(HDC dc, const RECT& row) const
{
    DrawPixelPattern(dc, row.left + Indent(), row.top + 2, ExpandTriangle(!m_collapsed));
}

bool CAETrack::InTriangle(POINT point) const
{
    const RECT hit{Indent(), 2, Indent() + 9, 12};
    return PtInRect(&hit, point) != FALSE;
}

void CAETrack::DrawSelectableLabel(HFONT font, HDC dc, const RECT& row, int x)
{
    const HGDIOBJ old = SelectObject(dc, font);
    const SIZE size = TextExtent(dc, m_name);
    const RECT painted{x, row.top + 1, x + size.cx, row.top + 1 + size.cy};
    if (m_selected)
        FillSolid(dc, painted, RGB(0, 0, 0));
    DrawTextAt(dc, x, row.top + 1, m_name, m_selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
    SelectObject(dc, old);
    if (m_labelRect.left == INT_MAX)
        m_labelRect = EntryRelative(painted, row);
}

RECT CAETrack::EntryRelative(const RECT& painted, const RECT& row)
{
    // The row starts one pixel below its entry's top, under the separator.
    const int left = row.left, top = row.top - 1;
    return {painted.left - left, painted.top - top, painted.right - left, painted.bottom - top};
}
