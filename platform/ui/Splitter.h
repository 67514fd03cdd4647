#pragma once
// CSplitterWnd: a child window split into rows x columns of panes with
// draggable bars between them. A pane is any child window of the splitter
// whose control id is PaneId(row, column), another splitter too; the
// splitter keeps each pane on its cell.
//
// Rows and columns have an ideal size and a minimum: every one but the last
// takes its ideal size while there is room, one whose ideal is below its
// minimum is hidden (size 0), and the last takes what is left. Dragging a
// bar sets the ideal sizes on either side of it.
//
//     CxSplitterWnd outer;
//     outer.CreateStatic(dialog, 2, 1);
//     CreateMyView(outer.GetSafeHwnd(), outer.PaneId(0, 0));   // any child
//     outer.SetRowInfo(0, 265, 0);
//     outer.RecalcLayout();
//
// CxSplitterWnd adds what a splitter inside a dialog needs without a frame
// window: the active pane is the one holding the focus, and the commands
// and notifications of the panes go on to the splitter's parent.

#include <windows.h>

#include <vector>

#include "platform/ui/FrameWnd.h"
#include "platform/ui/Window.h"

class CSplitterWnd : public CWnd {
public:
    // The width of a bar between two panes, in pixels.
    static constexpr int kBarSize = 7;

    // Makes the splitter as a child of `parent` (WS_CHILD is added);
    // rows and columns 1 ... 16.
    bool CreateStatic(HWND parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = kFirstPaneId);

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    static UINT PaneId(int row, int column) { return kFirstPaneId + static_cast<UINT>(row) * 16 + static_cast<UINT>(column); }
    // The pane window of the cell, or null.
    HWND GetPane(int row, int column) const;

    // The ideal and minimum size; RecalcLayout applies them.
    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int column, int ideal, int minimum);
    // The size the row or column has now and its minimum; false for no such row or column.
    bool GetRowInfo(int row, int& current, int& minimum) const;
    bool GetColumnInfo(int column, int& current, int& minimum) const;

    // Sizes the rows and columns to the client area and moves the panes.
    void RecalcLayout();

    // Where bar `index` (between rows or columns index and index + 1) begins,
    // in client coordinates; -1 for none.
    int RowBarPosition(int index) const;
    int ColumnBarPosition(int index) const;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct Track {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };
    enum class Axis { None, Rows, Columns };

    static void Lay(std::vector<Track>& tracks, int total);
    static int BarPosition(const std::vector<Track>& tracks, int index);
    // The bar under the point, as an axis and an index.
    Axis HitBar(POINT point, int& index) const;
    void StartDrag(Axis axis, int index, POINT point);
    void DragTo(POINT point);
    void EndDrag();
    void PaintBars(HDC dc) const;

    std::vector<Track> m_rows;
    std::vector<Track> m_columns;
    Axis m_dragAxis = Axis::None;
    int m_dragIndex = -1;
    int m_dragOffset = 0;  // from the bar's start to the point grabbed
};

class CxSplitterWnd : public CSplitterWnd {
public:
    // The pane that holds the focus; false when none does.
    bool GetActivePane(int& row, int& column) const;
    // Gives the pane the focus.
    void SetActivePane(int row, int column);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
