#pragma once
// A row with a push button; pressing it reports a value change, which the
// panel turns into the button's action.

#include "geometry/paramui/Track.h"

class CAEPushButtonTrack : public CAETrack {
public:
    // A button never animates, whatever `flags` say.
    CAEPushButtonTrack(CWnd& listBox, std::wstring label, std::wstring caption, int paramId, int flags)
        : CAETrack(listBox, std::move(label), nullptr, flags | kTrackNoAnimation, kTrackPushButton, paramId),
          m_caption(std::move(caption))
    {
    }

    void DrawLabel(HFONT font, HDC dc, const RECT& row) override;
    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;

private:
    std::wstring m_caption;
    RECT m_button{INT_MAX, 0, INT_MAX, 0};
};
