#pragma once
// A row with a drop-down box over an int, the 1-based number of the chosen
// option; the box opens a menu of the options.

#include <vector>

#include "geometry/paramui/Track.h"

class CAEPopupTrack : public CAETrack {
public:
    // `options` are separated by "|"; an option "(-" is a menu separator.
    CAEPopupTrack(CWnd& listBox, std::wstring name, int* value, const std::wstring& options, int paramId,
                  int flags);

    const std::vector<std::wstring>& Options() const { return m_options; }
    // The option the value names; a number outside the list shows the first.
    size_t CurrentOption() const;

    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;
    void OnMenuCommand(UINT id) override;
    // The value the menu command `id` chooses, without telling anyone; false,
    // with the value kept, when the id names no option that can be chosen.
    virtual bool SetOptionFromCommand(UINT id);
    // Called just before the option menu opens.
    virtual void OnBeforeMenu();

private:
    int* Value() const { return static_cast<int*>(GetValuePtr()); }

    std::vector<std::wstring> m_options;
    RECT m_box{INT_MAX, 0, INT_MAX, 0};
};
