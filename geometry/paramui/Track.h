#pragma once
// A row of the parameter list box. It paints itself, answers mouse events in
// coordinates relative to its entry's top-left corner, edits the value it
// points at and tells its list box through the messages of TrackMessages.h.
// Rows belong to their list box, which frees them all when it goes.
//
// The row family also carries animation keys: drawn, hit and kept in a
// stream. A row could hold keys only with its animation switch on, and the
// panel makes every row with kTrackNoAnimation, so no row here ever holds a
// key: the key operations draw nothing, hit nothing and keep nothing.

#include <windows.h>
#include <objidl.h>

#include <string>

#include "geometry/paramui/TrackDrawing.h"
#include "platform/ui/Window.h"

enum TrackKind : int {
    kTrackGroup = 2,
    kTrackMain = 3,
    kTrackDrop = 4,
    kTrackPopup = 5,
    kTrackSlider = 6,
    kTrackCheckBox = 7,
    kTrackPushButton = 13,
};

// Creation flags of a row.
constexpr int kTrackNoAnimation = 2;  // the animation switch is off

class CAETrack {
public:
    // The virtual operations stay in this order: it is the family's slot order.
    virtual ~CAETrack() = default;
    CAETrack(const CAETrack&) = delete;
    CAETrack& operator=(const CAETrack&) = delete;

    // Painting: the list box calls DrawBackground, DrawControls, DrawLabel and
    // DrawKeys, with the rectangle below the entry's one-pixel separator.
    virtual void DrawBackground(HDC dc, const RECT& row);
    virtual void DrawLabel(HFONT font, HDC dc, const RECT& row);
    virtual void DrawControls(HFONT font, HDC dc, const RECT& row);
    virtual void DrawKeys(HDC dc, const RECT& row, bool selected);

    // True when the row handled the click.
    virtual bool OnMouseDown(POINT point);
    // The button went up while the row held the mouse; list box coordinates.
    virtual bool OnMouseUp(POINT point);
    // While the row holds the mouse; list box coordinates. True: repaint.
    virtual bool OnMouseMove(POINT point);
    virtual void SetSelected(bool selected);
    virtual bool IsSelected() const;
    // The int or double the row edits; not owned, null for rows without one.
    virtual void* GetValuePtr() const;
    virtual void SetValuePtr(void* value);
    virtual void OnMenuCommand(UINT id);
    // Key persistence: true when keys were written or read.
    virtual bool SaveKeys(IStream* stream);
    virtual bool LoadKeys(IStream* stream);
    // Key hit tests, row-relative.
    virtual bool HitKeyStopwatch(int x, int y);
    virtual bool HitKeyNavigator(int x, int y);
    virtual bool HitKey(POINT point);
    // The value changed: UM_SELECTROW, then UM_VALUECHANGED.
    virtual void OnValueChanged();

    int Kind() const { return m_kind; }
    const std::wstring& Name() const { return m_name; }
    int ParamId() const { return m_paramId; }
    int Depth() const { return m_depth; }
    CAETrack* Parent() const { return m_parent; }
    bool IsCollapsed() const { return m_collapsed; }
    int Height() const { return m_collapsed ? m_collapsedHeight : m_expandedHeight; }
    bool IsAnimated() const { return m_animated; }

protected:
    CAETrack(CWnd& listBox, std::wstring name, void* value, int flags, int kind, int paramId,
             int expandedHeight = kRowHeight);

    static constexpr int kRowHeight = 16;

    // Sends `msg` about this row, only while the list box window exists.
    LRESULT Notify(UINT msg, LPARAM lParam = 0) const;
    HWND ListBoxWindow() const { return m_listBox.GetSafeHwnd(); }

    void ToggleCollapsed() { m_collapsed = !m_collapsed; }
    // Left edge of the row's controls at its depth.
    int Indent() const { return kColumn1 + kIndentPerDepth * m_depth; }
    // The expand triangle's image and its hit area.
    void DrawTriangle(HDC dc, const RECT& row) const;
    bool InTriangle(POINT point) const;
    // The name in the selection colours; its rectangle becomes the label's
    // hit area the first time it is painted.
    void DrawSelectableLabel(HFONT font, HDC dc, const RECT& row, int x);
    bool InLabel(POINT point) const { return PtInRect(&m_labelRect, point) != FALSE; }

    // A rectangle painted in `row`, made relative to the row's entry.
    static RECT EntryRelative(const RECT& painted, const RECT& row);

private:
    friend class CAEGroupTrack;   // adopts children: parent and depth

    CWnd& m_listBox;
    std::wstring m_name;
    int m_depth = 0;
    int m_collapsedHeight = kRowHeight;
    int m_expandedHeight;
    int m_paramId;
    int m_kind;
    bool m_selected = false;
    bool m_collapsed = true;
    bool m_animated;
    void* m_value;
    RECT m_labelRect{INT_MAX, 0, INT_MAX, 0};
    CAETrack* m_parent = nullptr;
};
