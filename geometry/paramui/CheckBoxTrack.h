#pragma once
// A row with a check box over an int that is 0 or 1.

#include "geometry/paramui/Track.h"

class CAECheckBoxTrack : public CAETrack {
public:
    CAECheckBoxTrack(CWnd& listBox, std::wstring name, int* value, int paramId, int flags)
        : CAETrack(listBox, std::move(name), value, flags, kTrackCheckBox, paramId)
    {
    }

    void DrawLabel(HFONT font, HDC dc, const RECT& row) override;
    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;

private:
    int* Value() const { return static_cast<int*>(GetValuePtr()); }
};
