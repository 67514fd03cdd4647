#include "geometry/paramui/GroupTrack.h"

#include "geometry/paramui/TrackMessages.h"

void CAEGroupTrack::AddChild(CAETrack* row)
{
    row->m_parent = this;
    row->m_depth = Depth() + 1;
    m_hidden.push_back(row);
}

void CAEGroupTrack::DrawLabel(HFONT font, HDC dc, const RECT& row)
{
    DrawSelectableLabel(font, dc, row, row.left + Indent() + 17);
}

void CAEGroupTrack::DrawControls(HFONT, HDC dc, const RECT& row)
{
    DrawTriangle(dc, row);
}

bool CAEGroupTrack::OnMouseDown(POINT point)
{
    if (InTriangle(point)) {
        const bool wasCollapsed = IsCollapsed();
        ToggleCollapsed();
        Notify(wasCollapsed ? UM_EXPANDGROUP : UM_COLLAPSEGROUP, reinterpret_cast<LPARAM>(&m_hidden));
    }
    return false;
}

bool CAEGroupTrack::SaveKeys(IStream* stream)
{
    bool saved = false;
    for (CAETrack* row : m_hidden)
        saved = row->SaveKeys(stream) || saved;
    return saved;
}

bool CAEGroupTrack::LoadKeys(IStream* stream)
{
    bool loaded = false;
    for (CAETrack* row : m_hidden)
        loaded = row->LoadKeys(stream) || loaded;
    return loaded;
}

void CAEMainTrack::DrawControls(HFONT font, HDC dc, const RECT& row)
{
    CAEGroupTrack::DrawControls(font, dc, row);
    DrawPixelPattern(dc, row.left + kColumn0 + 4, row.top + 1, CheckBoxImage(m_checked));
    const wchar_t* const texts[kLinkCount] = {L"Load...", L"Save...", L"About..."};
    const HGDIOBJ old = SelectObject(dc, font);
    int x = row.left + kColumn2;
    for (int link = 0; link < kLinkCount; ++link) {
        const RECT painted = DrawTextAt(dc, x, row.top + 1, texts[link], kValueText);
        if (m_links[link].left == INT_MAX)
            m_links[link] = EntryRelative(painted, row);
        x = painted.right + 20;
    }
    SelectObject(dc, old);
}

bool CAEMainTrack::OnMouseDown(POINT point)
{
    const RECT check{5, 2, 17, 12};
    if (PtInRect(&check, point)) {
        m_checked = !m_checked;
        Notify(UM_MAINROWCHECK, m_checked ? 1 : 0);
        return true;
    }
    if (InLabel(point)) {
        Notify(UM_CLEARSELECTION);
        SetSelected(true);
        Notify(UM_MAINROWCLICKED);
        return true;
    }
    const UINT linkMessages[kLinkCount] = {UM_LOADCLICKED, UM_SAVECLICKED, UM_ABOUTCLICKED};
    for (int link = 0; link < kLinkCount; ++link)
        if (PtInRect(&m_links[link], point)) {
            Notify(linkMessages[link]);
            return true;
        }
    return CAEGroupTrack::OnMouseDown(point);
}

void CAEDropTrack::DrawBackground(HDC dc, const RECT& row)
{
    FillSolid(dc, row, kDropBackground);
}

void CAEDropTrack::DrawControls(HFONT font, HDC dc, const RECT& row)
{
    CAEGroupTrack::DrawControls(font, dc, row);
    DrawPixelPattern(dc, row.left + kColumn0 + 4, row.top + 2, DropIcon());
}
