#include "platform/ui/Splitter.h"

#include <windowsx.h>

#include <algorithm>
#include <string>


namespace {

constexpr int kMaxTracks = 16;

const wchar_t* SplitterWindowClass()
{
    static const std::wstring name = RegisterModuleWindowClass(L"VelmoraSplitter", CS_DBLCLKS, COLOR_BTNFACE);
    return name.empty() ? nullptr : name.c_str();
}

} // namespace

bool CSplitterWnd::CreateStatic(HWND parent, int rows, int columns, DWORD style, UINT id)
{
    if (rows < 1 || rows > kMaxTracks || columns < 1 || columns > kMaxTracks)
        return false;
    const wchar_t* className = SplitterWindowClass();
    if (!className)
        return false;
    m_rows.assign(static_cast<size_t>(rows), Track{});
    m_columns.assign(static_cast<size_t>(columns), Track{});
    const RECT none{0, 0, 0, 0};
    return CreateEx(0, className, L"", style | WS_CHILD | WS_CLIPCHILDREN, none, parent, id);
}

HWND CSplitterWnd::GetPane(int row, int column) const
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount())
        return nullptr;
    return ::GetDlgItem(GetSafeHwnd(), static_cast<int>(PaneId(row, column)));
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (row >= 0 && row < GetRowCount())
        m_rows[static_cast<size_t>(row)] = Track{std::max(ideal, 0), std::max(minimum, 0), m_rows[static_cast<size_t>(row)].current};
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum)
{
    if (column >= 0 && column < GetColumnCount())
        m_columns[static_cast<size_t>(column)] =
            Track{std::max(ideal, 0), std::max(minimum, 0), m_columns[static_cast<size_t>(column)].current};
}

bool CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const
{
    if (row < 0 || row >= GetRowCount())
        return false;
    current = m_rows[static_cast<size_t>(row)].current;
    minimum = m_rows[static_cast<size_t>(row)].minimum;
    return true;
}

bool CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const
{
    if (column < 0 || column >= GetColumnCount())
        return false;
    current = m_columns[static_cast<size_t>(column)].current;
    minimum = m_columns[static_cast<size_t>(column)].minimum;
    return true;
}

void CSplitterWnd::Lay(std::vector<Track>& tracks, int total)
{
    int left = std::max(total, 0);
    for (size_t i = 0; i < tracks.size(); ++i) {
        Track& track = tracks[i];
        if (i + 1 == tracks.size()) {
            track.current = left;
            break;
        }
        const int wanted = track.ideal < track.minimum ? 0 : track.ideal;
        track.current = std::min(wanted, left);
        left -= track.current;
        left -= std::min(kBarSize, left);
    }
}

int CSplitterWnd::BarPosition(const std::vector<Track>& tracks, int index)
{
    if (index < 0 || index + 1 >= static_cast<int>(tracks.size()))
        return -1;
    int position = 0;
    for (int i = 0; i <= index; ++i)
        position += tracks[static_cast<size_t>(i)].current + (i < index ? kBarSize : 0);
    return position;
}

int CSplitterWnd::RowBarPosition(int index) const
{
    return BarPosition(m_rows, index);
}

int CSplitterWnd::ColumnBarPosition(int index) const
{
    return BarPosition(m_columns, index);
}

void CSplitterWnd::RecalcLayout()
{
    if (!GetSafeHwnd())
        return;
    const RECT client = GetClientRect();
    Lay(m_rows, client.bottom - client.top);
    Lay(m_columns, client.right - client.left);
    HDWP moves = ::BeginDeferWindowPos(GetRowCount() * GetColumnCount());
    int top = 0;
    for (int row = 0; row < GetRowCount(); ++row) {
        const int height = m_rows[static_cast<size_t>(row)].current;
        int left = 0;
        for (int column = 0; column < GetColumnCount(); ++column) {
            const int width = m_columns[static_cast<size_t>(column)].current;
            if (HWND pane = GetPane(row, column)) {
                const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
                if (moves)
                    moves = ::DeferWindowPos(moves, pane, nullptr, left, top, width, height, flags);
                else
                    ::SetWindowPos(pane, nullptr, left, top, width, height, flags);
            }
            left += width + kBarSize;
        }
        top += height + kBarSize;
    }
    if (moves)
        ::EndDeferWindowPos(moves);
    Invalidate();
}

CSplitterWnd::Axis CSplitterWnd::HitBar(POINT point, int& index) const
{
    for (int i = 0; i + 1 < GetRowCount(); ++i) {
        const int at = RowBarPosition(i);
        if (point.y >= at && point.y < at + kBarSize) {
            index = i;
            return Axis::Rows;
        }
    }
    for (int i = 0; i + 1 < GetColumnCount(); ++i) {
        const int at = ColumnBarPosition(i);
        if (point.x >= at && point.x < at + kBarSize) {
            index = i;
            return Axis::Columns;
        }
    }
    return Axis::None;
}

void CSplitterWnd::StartDrag(Axis axis, int index, POINT point)
{
    m_dragAxis = axis;
    m_dragIndex = index;
    m_dragOffset = axis == Axis::Rows ? point.y - RowBarPosition(index) : point.x - ColumnBarPosition(index);
    ::SetCapture(GetSafeHwnd());
}

// The track before the bar takes the bar's new place; the one after it, when
// it is not the last (which takes the rest anyway), gives up as much.
void CSplitterWnd::DragTo(POINT point)
{
    std::vector<Track>& tracks = m_dragAxis == Axis::Rows ? m_rows : m_columns;
    const int bar = m_dragAxis == Axis::Rows ? RowBarPosition(m_dragIndex) : ColumnBarPosition(m_dragIndex);
    if (bar < 0)
        return;
    const int wanted = (m_dragAxis == Axis::Rows ? point.y : point.x) - m_dragOffset;
    Track& before = tracks[static_cast<size_t>(m_dragIndex)];
    const int start = bar - before.current;
    int size = std::max(wanted - start, 0);
    const size_t next = static_cast<size_t>(m_dragIndex) + 1;
    if (next + 1 < tracks.size())
        size = std::min(size, before.current + tracks[next].current);
    const int delta = size - before.current;
    before.ideal = size;
    if (next + 1 < tracks.size())
        tracks[next].ideal = std::max(tracks[next].current - delta, 0);
    RecalcLayout();
}

void CSplitterWnd::EndDrag()
{
    m_dragAxis = Axis::None;
    m_dragIndex = -1;
    if (::GetCapture() == GetSafeHwnd())
        ::ReleaseCapture();
}

void CSplitterWnd::PaintBars(HDC dc) const
{
    const RECT client = GetClientRect();
    for (int i = 0; i + 1 < GetRowCount(); ++i) {
        RECT bar{client.left, RowBarPosition(i), client.right, RowBarPosition(i) + kBarSize};
        ::DrawEdge(dc, &bar, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    for (int i = 0; i + 1 < GetColumnCount(); ++i) {
        RECT bar{ColumnBarPosition(i), client.top, ColumnBarPosition(i) + kBarSize, client.bottom};
        ::DrawEdge(dc, &bar, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
}

bool CSplitterWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SIZE:
        RecalcLayout();
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (HDC dc = ::BeginPaint(GetSafeHwnd(), &paint)) {
            PaintBars(dc);
            ::EndPaint(GetSafeHwnd(), &paint);
        }
        result = 0;
        return true;
    }
    case WM_SETCURSOR: {
        POINT point;
        ::GetCursorPos(&point);
        ::ScreenToClient(GetSafeHwnd(), &point);
        int index = -1;
        const Axis axis = m_dragAxis != Axis::None ? m_dragAxis : HitBar(point, index);
        if (reinterpret_cast<HWND>(wParam) == GetSafeHwnd() && axis != Axis::None) {
            ::SetCursor(::LoadCursorW(nullptr, axis == Axis::Rows ? IDC_SIZENS : IDC_SIZEWE));
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_LBUTTONDOWN: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int index = -1;
        const Axis axis = HitBar(point, index);
        if (axis != Axis::None)
            StartDrag(axis, index, point);
        result = 0;
        return true;
    }
    case WM_MOUSEMOVE:
        if (m_dragAxis != Axis::None)
            DragTo(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        result = 0;
        return true;
    case WM_LBUTTONUP:
        if (m_dragAxis != Axis::None) {
            DragTo(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            EndDrag();
        }
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != GetSafeHwnd()) {
            m_dragAxis = Axis::None;
            m_dragIndex = -1;
        }
        break;
    case WM_CANCELMODE:
        EndDrag();
        break;
    default:
        break;
    }
    return CWnd::OnMessage(msg, wParam, lParam, result);
}

bool CxSplitterWnd::GetActivePane(int& row, int& column) const
{
    HWND focus = ::GetFocus();
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c) {
            HWND pane = GetPane(r, c);
            if (pane && focus && (pane == focus || ::IsChild(pane, focus))) {
                row = r;
                column = c;
                return true;
            }
        }
    return false;
}

void CxSplitterWnd::SetActivePane(int row, int column)
{
    if (HWND pane = GetPane(row, column))
        ::SetFocus(pane);
}

bool CxSplitterWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND || msg == WM_NOTIFY) {
        // The splitter handles no command of its own.
        if (HWND parent = ::GetParent(GetSafeHwnd())) {
            result = ::SendMessageW(parent, msg, wParam, lParam);
            return true;
        }
    }
    return CSplitterWnd::OnMessage(msg, wParam, lParam, result);
}
