#pragma once
// Drives a plug-in's parameter panel through its windows only, as a user
// does: the list box of rows (control 103), its value editor (1005), clicks
// and drags at row positions, and typing.

#include <windows.h>

#include <string>

class CParamPanelDriver {
public:
    explicit CParamPanelDriver(HWND panel) : m_panel(panel) {}

    HWND List() const { return GetDlgItem(m_panel, 103); }
    HWND Editor() const { return GetDlgItem(List(), 1005); }
    int Count() const;
    // Entry `index` in list box client coordinates.
    RECT Entry(int index) const;
    // A point `dy` pixels below the top of entry `index`, at `x`.
    POINT At(int index, int x, int dy) const;
    // The controls of a row at the panel's columns (20, 180 and 400, rows
    // indented 16 pixels a level): the expand triangle, a check box, a
    // slider's value text, a drop-down box or push button, and the bar of an
    // expanded slider at depth 1, which runs from x = 70 to 380.
    POINT Triangle(int index, int depth) const { return At(index, 20 + 16 * depth + 4, 7); }
    POINT CheckBox(int index) const { return At(index, 186, 9); }
    POINT ValueText(int index) const { return At(index, 185, 8); }
    POINT ControlBox(int index) const { return At(index, 190, 8); }
    POINT Bar(int index, int x) const { return At(index, x, 32); }
    static constexpr int kBarLeft = 70;
    static constexpr int kBarRight = 380;

    // The left button down and up again at `point` (list box coordinates).
    void Click(POINT point) const;
    void Press(POINT point) const;
    void MoveTo(POINT point) const;
    void Release(POINT point) const;
    // Selects all of the editor's text and types `text` over it, one
    // character at a time.
    void Type(const std::wstring& text) const;
    std::wstring EditorText() const;
    bool EditorVisible() const { return IsWindowVisible(Editor()) != FALSE; }
    // Clicks and paints, so that the rows' controls are where they are drawn.
    void ClickAndSettle(POINT point) const;
    // Paints now, and handles what painting posted.
    void Settle() const;

private:
    HWND m_panel;
};
