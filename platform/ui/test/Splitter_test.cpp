#include "platform/ui/Splitter.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

inline bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != FALSE;
}

namespace {

// A top-level window that notes the commands and notifications it gets.
class ParentWnd : public CWnd {
public:
    std::vector<UINT> commands;
    std::vector<UINT> notifications;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_COMMAND) {
            commands.push_back(LOWORD(wParam));
            result = 0;
            return true;
        }
        if (msg == WM_NOTIFY) {
            notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
            result = 7;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

HWND MakePane(const CSplitterWnd& splitter, int row, int column)
{
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, splitter.GetSafeHwnd(),
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(CSplitterWnd::PaneId(row, column))),
                           GetModuleHandleW(nullptr), nullptr);
}

RECT PaneRect(const CSplitterWnd& splitter, int row, int column)
{
    RECT rect{};
    HWND pane = splitter.GetPane(row, column);
    GetWindowRect(pane, &rect);
    MapWindowPoints(nullptr, splitter.GetSafeHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"splitter test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                    RECT{0, 0, 400, 500}, nullptr, 0));
        ASSERT_TRUE(outer.CreateStatic(parent.GetSafeHwnd(), 2, 1));
        top = MakePane(outer, 0, 0);
        ASSERT_TRUE(inner.CreateStatic(outer.GetSafeHwnd(), 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                       CSplitterWnd::PaneId(1, 0)));
        left = MakePane(inner, 0, 0);
        right = MakePane(inner, 0, 1);
        outer.SetRowInfo(0, 265, 0);
        inner.SetColumnInfo(0, 340, 0);
        SetWindowPos(outer.GetSafeHwnd(), nullptr, 0, 0, 400, 500, SWP_NOZORDER);
    }
    int Row(int row) const
    {
        int current = -1, minimum = -1;
        EXPECT_TRUE(outer.GetRowInfo(row, current, minimum));
        return current;
    }

    ParentWnd parent;
    CxSplitterWnd outer;
    CxSplitterWnd inner;
    HWND top = nullptr, left = nullptr, right = nullptr;
};

TEST_F(SplitterTest, RowsAndColumnsTakeTheirIdealSizesAndTheLastTheRest)
{
    EXPECT_EQ(265, Row(0));
    EXPECT_EQ(500 - 265 - CSplitterWnd::kBarSize, Row(1));
    EXPECT_EQ((RECT{0, 0, 400, 265}), PaneRect(outer, 0, 0));
    EXPECT_EQ((RECT{0, 272, 400, 500}), PaneRect(outer, 1, 0)) << "the nested splitter is the lower pane";
    int current = -1, minimum = -1;
    ASSERT_TRUE(inner.GetColumnInfo(0, current, minimum));
    EXPECT_EQ(340, current);
    EXPECT_EQ(0, minimum);
    EXPECT_FALSE(inner.GetColumnInfo(2, current, minimum));
    EXPECT_EQ(nullptr, outer.GetPane(2, 0));

    const struct {
        int ideal, minimum, height;
        int first, second;
    } cases[] = {
        {265, 0, 500, 265, 228},
        {600, 0, 500, 500, 0},   // no room: the last row gets nothing
        {50, 80, 500, 0, 493},   // below its minimum: hidden
        {265, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        outer.SetRowInfo(0, c.ideal, c.minimum);
        SetWindowPos(outer.GetSafeHwnd(), nullptr, 0, 0, 400, c.height, SWP_NOZORDER);
        outer.RecalcLayout();
        EXPECT_EQ(c.first, Row(0)) << c.ideal << " " << c.minimum << " " << c.height;
        EXPECT_EQ(c.second, Row(1)) << c.ideal << " " << c.minimum << " " << c.height;
    }
}

TEST_F(SplitterTest, DraggingABarResizesThePanesOnEitherSide)
{
    const int bar = outer.RowBarPosition(0);
    ASSERT_EQ(265, bar);
    SendMessageW(outer.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, bar + 3));
    EXPECT_EQ(outer.GetSafeHwnd(), GetCapture());
    SendMessageW(outer.GetSafeHwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 203));
    EXPECT_EQ(200, Row(0)) << "the panes follow the mouse";
    SendMessageW(outer.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(100, 153));
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_EQ(150, Row(0));
    EXPECT_EQ(500 - 150 - CSplitterWnd::kBarSize, Row(1));
    EXPECT_EQ((RECT{0, 0, 400, 150}), PaneRect(outer, 0, 0));

    // Past the top the row closes; the mouse off any bar starts nothing.
    SendMessageW(outer.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 153));
    SendMessageW(outer.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(100, -40));
    EXPECT_EQ(0, Row(0));
    SendMessageW(outer.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 300));
    EXPECT_EQ(nullptr, GetCapture());

    const int column = inner.ColumnBarPosition(0);
    SendMessageW(inner.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(column + 1, 10));
    SendMessageW(inner.GetSafeHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(101, 10));
    int current = -1, minimum = -1;
    ASSERT_TRUE(inner.GetColumnInfo(0, current, minimum));
    EXPECT_EQ(100, current);
}

TEST_F(SplitterTest, ThePaneWithTheFocusIsActiveAndCommandsGoToTheParent)
{
    int row = -1, column = -1;
    SetFocus(top);
    ASSERT_TRUE(outer.GetActivePane(row, column));
    EXPECT_EQ(0, row);
    EXPECT_EQ(0, column);
    inner.SetActivePane(0, 1);
    EXPECT_EQ(right, GetFocus());
    ASSERT_TRUE(outer.GetActivePane(row, column)) << "the focus is inside the lower pane";
    EXPECT_EQ(1, row);
    ASSERT_TRUE(inner.GetActivePane(row, column));
    EXPECT_EQ(1, column);
    SetFocus(parent.GetSafeHwnd());
    EXPECT_FALSE(inner.GetActivePane(row, column));

    // From a pane of the nested splitter through both splitters.
    SendMessageW(inner.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(1234, BN_CLICKED), reinterpret_cast<LPARAM>(left));
    NMHDR header{right, 55, NM_CLICK};
    EXPECT_EQ(7, SendMessageW(inner.GetSafeHwnd(), WM_NOTIFY, 55, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ((std::vector<UINT>{1234}), parent.commands);
    EXPECT_EQ((std::vector<UINT>{static_cast<UINT>(NM_CLICK)}), parent.notifications);
}

} // namespace
