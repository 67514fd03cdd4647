#pragma once
// Rows that hold other rows: a group, the main row at the top of the panel
// with its check box and its "Load...", "Save..." and "About..." links, and
// the drop row, a group painted black on orange.

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
    // The hidden rows' keys, in order.
    bool SaveKeys(IStream* stream) override;
    bool LoadKeys(IStream* stream) override;

protected:
    CAEGroupTrack(CWnd& listBox, std::wstring name, int kind)
        : CAETrack(listBox, std::move(name), nullptr, kTrackNoAnimation, kind, -1)
    {
    }

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

class CAEDropTrack : public CAEGroupTrack {
public:
    CAEDropTrack(CWnd& listBox, std::wstring name) : CAEGroupTrack(listBox, std::move(name), kTrackDrop) {}

    void DrawBackground(HDC dc, const RECT& row) override;
    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
};
