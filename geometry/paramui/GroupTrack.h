#pragma once
// Rows that hold other rows: a group, and the main row at the top of the
// panel with its check box and its "Load...", "Save..." and "About..." links.

#include <vector>

#include "geometry/paramui/Track.h"

// The rows of a collapsed group, in order; not owned.
using TrackList = std::vector<CAETrack*>;

class CAEGroupTrack : public CAETrack {
public:
    CAEGroupTrack(CWnd& listBox, std::wstring name) : CAEGroupTrack(listBox, std::move(name), kTrackGroup) {}

    // Appends a hidden row; it becomes this group's child, one level deeper.
    void AddChild(CAETrack* row);
    TrackList& HiddenChildren() { return m_hidden; }

    void DrawLabel(HFONT font, HDC dc, const RECT& row) override;
    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;

protected:
    CAEGroupTrack(CWnd& listBox, std::wstring name, int kind) : CAETrack(listBox, std::move(name), kind, -1) {}

private:
    TrackList m_hidden;
};

class CAEMainTrack : public CAEGroupTrack {
public:
    CAEMainTrack(CWnd& listBox, std::wstring name) : CAEGroupTrack(listBox, std::move(name), kTrackMain) {}

    bool IsChecked() const { return m_checked; }

    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;

private:
    enum Link { kLoad, kSave, kAbout, kLinkCount };

    bool m_checked = true;
    RECT m_links[kLinkCount] = {{INT_MAX, 0, INT_MAX, 0}, {INT_MAX, 0, INT_MAX, 0}, {INT_MAX, 0, INT_MAX, 0}};
};
