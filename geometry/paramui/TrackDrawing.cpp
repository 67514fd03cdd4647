#include "geometry/paramui/TrackDrawing.h"

#include <vector>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

using Pattern = std::vector<PixelEntry>;

const PixelEntry* Terminated(Pattern& pattern)
{
    pattern.push_back({-1, 0, 0});
    return pattern.data();
}

Pattern MakeGreyMark()
{
    Pattern p;
    for (int dy = 0; dy < 3; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            p.push_back({dx, dy, kMarkGrey});
    return p;
}

// Filled triangles: pointing right in a 6 x 10 box, down in a 10 x 6 box.
Pattern MakeTriangle(bool down)
{
    Pattern p;
    for (int along = 0; along < 6; ++along)
        for (int across = along; across < 10 - along; ++across)
            p.push_back(down ? PixelEntry{across, along, kBlack} : PixelEntry{along, across, kBlack});
    return p;
}

Pattern MakeCheckBox(bool checked)
{
    Pattern p;
    for (int dy = 0; dy < 12; ++dy)
        for (int dx = 0; dx < 12; ++dx) {
            const bool edge = dx == 0 || dy == 0 || dx == 11 || dy == 11;
            p.push_back({dx, dy, edge ? kControlShadow : kWhite});
        }
    if (checked) {
        // A tick from (3, 5) down to (5, 7) and up to (9, 3), three pixels thick.
        const int tick[][2] = {{3, 5}, {4, 6}, {5, 7}, {6, 6}, {7, 5}, {8, 4}, {9, 3}};
        for (const auto& t : tick)
            for (int thick = 0; thick < 3; ++thick)
                p.push_back({t[0], t[1] + thick, kBlack});
    }
    return p;
}

// A thumb pointing down onto the bar: 9 wide, a 5-pixel body and a 3-pixel tip.
Pattern MakeThumb()
{
    Pattern p;
    for (int dy = 0; dy < 8; ++dy) {
        const int inset = dy < 5 ? 0 : dy - 4;
        for (int dx = inset; dx < 9 - inset; ++dx) {
            const bool edge = dx == inset || dx == 8 - inset || dy == 0 || dy == 7;
            p.push_back({dx, dy, edge ? kBlack : kControlFace});
        }
    }
    return p;
}

// A black diamond, 9 x 9.
Pattern MakeDropIcon()
{
    Pattern p;
    for (int dy = 0; dy < 9; ++dy) {
        const int half = dy < 5 ? dy : 8 - dy;
        for (int dx = 4 - half; dx <= 4 + half; ++dx)
            p.push_back({dx, dy, kBlack});
    }
    return p;
}

}  // namespace

void DrawPixelPattern(HDC dc, int x, int y, const PixelEntry* pattern)
{
    for (const PixelEntry* e = pattern; e->dx != -1; ++e)
        SetPixelV(dc, x + e->dx, y + e->dy, e->colour);
}

const PixelEntry* GreyMark()
{
    static Pattern pattern = MakeGreyMark();
    static const PixelEntry* table = Terminated(pattern);
    return table;
}

const PixelEntry* ExpandTriangle(bool expanded)
{
    static Pattern right = MakeTriangle(false), down = MakeTriangle(true);
    static const PixelEntry* rightTable = Terminated(right);
    static const PixelEntry* downTable = Terminated(down);
    return expanded ? downTable : rightTable;
}

const PixelEntry* CheckBoxImage(bool checked)
{
    static Pattern off = MakeCheckBox(false), on = MakeCheckBox(true);
    static const PixelEntry* offTable = Terminated(off);
    static const PixelEntry* onTable = Terminated(on);
    return checked ? onTable : offTable;
}

const PixelEntry* SliderThumb()
{
    static Pattern pattern = MakeThumb();
    static const PixelEntry* table = Terminated(pattern);
    return table;
}

const PixelEntry* DropIcon()
{
    static Pattern pattern = MakeDropIcon();
    static const PixelEntry* table = Terminated(pattern);
    return table;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    const COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    FillSolid(dc, {rect.left, rect.top, rect.right, rect.top + 1}, colour);
    FillSolid(dc, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
    FillSolid(dc, {rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
    FillSolid(dc, {rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
}

void DrawControlBox(HDC dc, const RECT& box, bool raised)
{
    FrameSolid(dc, box, kBlack);
    const RECT inner{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    FillSolid(dc, inner, kControlFace);
    FillSolid(dc, {inner.left, inner.top, inner.left + 1, inner.bottom}, kWhite);
    if (raised)
        FillSolid(dc, {inner.left, inner.top, inner.right, inner.top + 1}, kWhite);
    FillSolid(dc, {inner.left, inner.bottom - 1, inner.right, inner.bottom}, kControlShadow);
    FillSolid(dc, {inner.right - 1, inner.top, inner.right, inner.bottom}, kControlShadow);
}

SIZE TextExtent(HDC dc, const std::wstring& text)
{
    SIZE size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

RECT DrawTextAt(HDC dc, int x, int y, const std::wstring& text, COLORREF colour)
{
    const SIZE size = TextExtent(dc, text);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, colour);
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    return {x, y, x + size.cx, y + size.cy};
}
