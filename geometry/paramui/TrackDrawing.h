#pragma once
// Colours, column positions and small pixel images shared by the rows.

#include <windows.h>

#include <string>

// Column positions of every row, in pixels from the list box's left edge.
constexpr int kColumn0 = 0;
constexpr int kColumn1 = 20;
constexpr int kColumn2 = 180;
constexpr int kColumn3 = 400;
constexpr int kIndentPerDepth = 16;

constexpr COLORREF kRowBackground = RGB(244, 243, 234);
constexpr COLORREF kControlFace = RGB(236, 233, 216);
constexpr COLORREF kControlShadow = RGB(172, 168, 153);
constexpr COLORREF kValueText = RGB(0, 0, 152);
constexpr COLORREF kMarkGrey = RGB(128, 128, 128);
constexpr COLORREF kDropBackground = RGB(255, 169, 0);

// One pixel of an image; a table of them ends with an entry whose dx is -1.
struct PixelEntry {
    int dx, dy;
    COLORREF colour;
};

// Sets the pixel (x + dx, y + dy) of every entry up to the end mark.
void DrawPixelPattern(HDC dc, int x, int y, const PixelEntry* pattern);

// The images, each a table for DrawPixelPattern.
const PixelEntry* GreyMark();                 // 2 x 3
const PixelEntry* ExpandTriangle(bool expanded);  // 6 x 10 pointing right, 10 x 6 pointing down
const PixelEntry* CheckBoxImage(bool checked);    // 12 x 12
const PixelEntry* SliderThumb();              // 9 x 8
const PixelEntry* DropIcon();                 // 9 x 9, black

void FillSolid(HDC dc, const RECT& rect, COLORREF colour);
void FrameSolid(HDC dc, const RECT& rect, COLORREF colour);
// A drop-down box or push button face: black frame, face inside a 2-pixel
// margin, white inner lines on the left (and the top when `raised`) and
// shadow lines on the inner bottom and right.
void DrawControlBox(HDC dc, const RECT& box, bool raised);

SIZE TextExtent(HDC dc, const std::wstring& text);
// Draws `text` with its top-left at (x, y) in `colour` on a transparent
// background and returns the rectangle it covers.
RECT DrawTextAt(HDC dc, int x, int y, const std::wstring& text, COLORREF colour);
