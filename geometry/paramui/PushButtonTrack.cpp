#include "geometry/paramui/PushButtonTrack.h"

#include "geometry/paramui/TrackMessages.h"

void CAEPushButtonTrack::DrawLabel(HFONT font, HDC dc, const RECT& row)
{
    DrawSelectableLabel(font, dc, row, row.left + Indent() + 32);
}

void CAEPushButtonTrack::DrawControls(HFONT font, HDC dc, const RECT& row)
{
    const HGDIOBJ old = SelectObject(dc, font);
    const SIZE caption = TextExtent(dc, m_caption);
    const RECT button{row.left + kColumn2, row.top + 1, row.left + kColumn2 + caption.cx + 24, row.top + 14};
    DrawControlBox(dc, button, true);
    DrawTextAt(dc, button.left + 12, button.bottom - caption.cy, m_caption, RGB(0, 0, 0));
    SelectObject(dc, old);
    m_button = EntryRelative(button, row);
}

bool CAEPushButtonTrack::OnMouseDown(POINT point)
{
    if (InLabel(point)) {
        Notify(UM_SELECTROW);
        return true;
    }
    if (!PtInRect(&m_button, point))
        return false;
    RECT entry{};
    Notify(UM_SETMENUTARGET, reinterpret_cast<LPARAM>(&entry));
    OnValueChanged();
    return false;
}
