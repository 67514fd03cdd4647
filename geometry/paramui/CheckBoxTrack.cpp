#include "geometry/paramui/CheckBoxTrack.h"

void CAECheckBoxTrack::DrawLabel(HFONT font, HDC dc, const RECT& row)
{
    // Right of the box, whatever the depth.
    const HGDIOBJ old = SelectObject(dc, font);
    DrawTextAt(dc, row.left + kColumn2 + 20, row.top + 1, Name(), RGB(0, 0, 0));
    SelectObject(dc, old);
}

void CAECheckBoxTrack::DrawControls(HFONT, HDC dc, const RECT& row)
{
    DrawPixelPattern(dc, row.left + Indent() + 6, row.top + 5, GreyMark());
    DrawPixelPattern(dc, row.left + kColumn2, row.top + 1, CheckBoxImage(Value() && *Value() != 0));
}

bool CAECheckBoxTrack::OnMouseDown(POINT point)
{
    const RECT box{kColumn2, 4, kColumn2 + 12, 15};
    int* value = Value();
    if (!value || !PtInRect(&box, point))
        return false;
    *value = *value ? 0 : 1;
    OnValueChanged();
    return true;
}
