#pragma once
// The owner-drawn list box of the parameter panel. Each entry carries a row
// as its item data; the list box paints the rows into one off-screen bitmap,
// routes clicks, drags and menu commands to them, moves rows between the
// list and their groups to expand and collapse, and keeps an edit control
// over the selected slider's value. Every row it was given lives until the
// list box object goes.

#include <memory>
#include <string>
#include <vector>

#include "base/win/UniqueHandle.h"
#include "geometry/paramui/GroupTrack.h"
#include "geometry/paramui/SliderTrack.h"
#include "platform/ui/Window.h"

class CParamListBox : public CWnd {
public:
    static constexpr UINT kEditorId = 1005;

    CParamListBox() = default;
    ~CParamListBox() override;

    bool Create(const RECT& rect, HWND parent, UINT id);

    // Takes a new row into the list box's keeping and returns it.
    template <typename Row>
    Row* Adopt(std::unique_ptr<Row> row)
    {
        Row* adopted = row.get();
        m_rows.push_back(std::move(row));
        return adopted;
    }
    // Shows a row (one the list box keeps) at `index`, or last.
    void InsertRow(int index, CAETrack* row);
    CAEMainTrack* AddMainRow(int index, const std::wstring& name);
    // The entry that shows `row`, -1 when it is hidden.
    int FindRow(const CAETrack* row) const;
    int RowCount() const;
    CAETrack* RowAt(int index) const;
    HWND Editor() const { return m_editor.GetSafeHwnd(); }

    // The values changed behind the rows' back: repaint, and put the
    // selected slider's new value into the editor.
    void ValuesReplaced();

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool OnTrackMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PlaceEditor();
    void HideEditor();
    void OnEditorChange();
    void OnMouseDown(POINT point);
    void OnMouseMove(POINT point, WPARAM keys);
    void EndDrag();
    void ExpandGroup(CAEGroupTrack* group);
    int InsertHiddenRows(CAEGroupTrack* group, int index);
    void CollapseGroup(CAEGroupTrack* group);
    void CollapseInto(CAEGroupTrack* group, int index);
    void Remeasure(CAETrack* row);
    void SelectRow(CAETrack* row);
    void ClearSelection();
    void InvalidateRow(const CAETrack* row);
    RECT EntryRect(int index) const;

    std::vector<std::unique_ptr<CAETrack>> m_rows;   // every row, shown or hidden
    CAETrack* m_inserting = nullptr;                 // measured before its item data is set
    CAESliderTrack* m_editTarget = nullptr;          // the selected slider of the last paint
    CAETrack* m_capture = nullptr;
    CAETrack* m_menuTarget = nullptr;
    UniquePen m_separatorPen;
    UniqueFont m_font;
    HCURSOR m_dragCursor = nullptr;
    CWnd m_editor;
    bool m_refreshEditorText = false;
    bool m_editorShown = false;
    bool m_editorChangeEnabled = false;
    std::wstring m_lastEditorText;
};
