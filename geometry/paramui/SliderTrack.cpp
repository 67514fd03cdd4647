#include "geometry/paramui/SliderTrack.h"

#include <algorithm>
#include <cmath>

#include "common/storedvalues/CNumbers.h"
#include "geometry/HostValues.h"
#include "geometry/paramui/TrackMessages.h"

CAESliderTrack::CAESliderTrack(CWnd& listBox, std::wstring name, double* value, double minimum, double maximum,
                               int decimals, int paramId, int flags)
    : CAETrack(listBox, std::move(name), value, flags, kTrackSlider, paramId, kExpandedHeight),
      m_valueType(kSliderDouble),
      m_minimum(minimum),
      m_maximum(maximum),
      m_clampMinimum(minimum),
      m_clampMaximum(maximum),
      m_decimals(decimals)
{
}

CAESliderTrack::CAESliderTrack(CWnd& listBox, std::wstring name, int* value, int minimum, int maximum, int paramId,
                               int flags)
    : CAETrack(listBox, std::move(name), value, flags, kTrackSlider, paramId, kExpandedHeight),
      m_valueType(kSliderInteger),
      m_minimum(minimum),
      m_maximum(maximum),
      m_clampMinimum(minimum),
      m_clampMaximum(maximum),
      m_decimals(0)
{
}

CAESliderTrack::CAESliderTrack(CWnd& listBox, std::wstring name, int* value, int minimum, int maximum, double scale,
                               int decimals, int paramId, int flags)
    : CAETrack(listBox, std::move(name), value, flags, kTrackSlider, paramId, kExpandedHeight),
      m_valueType(kSliderScaledInteger),
      m_scale(scale > 0 && std::isfinite(scale) ? scale : 1.0),
      m_minimum(minimum),
      m_maximum(maximum),
      m_clampMinimum(minimum / m_scale),
      m_clampMaximum(maximum / m_scale),
      m_decimals(decimals)
{
}

double CAESliderTrack::Value() const
{
    const void* value = GetValuePtr();
    if (!value)
        return m_minimum;
    return m_valueType == kSliderDouble ? *static_cast<const double*>(value) : *static_cast<const int*>(value);
}

std::wstring CAESliderTrack::Format(double number) const
{
    return FormatFixed(number, m_decimals);
}

std::wstring CAESliderTrack::ValueText() const
{
    return Format(Value() / m_scale);
}

double CAESliderTrack::Fraction() const
{
    const double span = m_maximum - m_minimum;
    if (!(span > 0))
        return 0.0;
    const double fraction = (Value() - m_minimum) / span;
    return std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
}

void CAESliderTrack::SetFromUser(double value)
{
    void* stored = GetValuePtr();
    if (!stored)
        return;
    if (m_valueType == kSliderDouble) {
        double& number = *static_cast<double*>(stored);
        if (value == number)
            return;
        number = value;
    } else {
        // Only a new whole number is a change worth a write.
        int& number = *static_cast<int*>(stored);
        const int32_t truncated = SaturatedInt(value);
        if (truncated == number)
            return;
        number = truncated;
    }
    OnValueChanged();
}

void CAESliderTrack::SetFromEditor(double number)
{
    if (number > m_clampMaximum)
        number = m_clampMaximum;
    if (number < m_clampMinimum)
        number = m_clampMinimum;
    SetFromUser(number * m_scale);
}

void CAESliderTrack::DrawLabel(HFONT font, HDC dc, const RECT& row)
{
    DrawSelectableLabel(font, dc, row, row.left + Indent() + 17);
}

void CAESliderTrack::DrawControls(HFONT font, HDC dc, const RECT& row)
{
    DrawTriangle(dc, row);
    const HGDIOBJ old = SelectObject(dc, font);
    const std::wstring minimum = Format(m_clampMinimum), maximum = Format(m_clampMaximum);
    const RECT text = DrawTextAt(dc, row.left + kColumn2, row.top + 1, ValueText(), kValueText);
    const int width = std::max(TextExtent(dc, minimum).cx, TextExtent(dc, maximum).cx);
    m_valueText = EntryRelative({text.left, text.top, text.left + width, text.bottom}, row);

    if (!IsCollapsed()) {
        const RECT bar{row.left + Indent() + 34, row.bottom - 10, row.left + kColumn3 - 20, row.bottom - 6};
        FrameSolid(dc, {bar.left - 1, bar.top - 1, bar.right + 1, bar.bottom + 1}, kControlShadow);
        FrameSolid(dc, bar, kControlFace);
        FillSolid(dc, {bar.left + 1, bar.bottom - 2, bar.right - 1, bar.bottom - 1}, RGB(255, 255, 255));
        FillSolid(dc, {bar.right - 2, bar.top + 1, bar.right - 1, bar.bottom - 1}, RGB(255, 255, 255));
        m_bar = EntryRelative(bar, row);
        const int width = bar.right - bar.left;
        m_thumb = m_bar.left + static_cast<int>(std::lround(width * Fraction())) - 6;
        DrawPixelPattern(dc, row.left + m_thumb, bar.top, SliderThumb());

        const int oldAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
        DrawTextAt(dc, row.left + Indent() + 30, row.bottom - 24, minimum, kValueText);
        DrawTextAt(dc, row.left + kColumn3 - 22, row.bottom - 24, maximum, kValueText);
        SetTextAlign(dc, oldAlign);
    }
    SelectObject(dc, old);
}

bool CAESliderTrack::OnMouseDown(POINT point)
{
    if (InLabel(point) || PtInRect(&m_valueText, point)) {
        Notify(UM_SELECTROW);
        return true;
    }
    if (InTriangle(point)) {
        ToggleCollapsed();
        Notify(UM_REMEASUREROW);
        return true;
    }
    if (IsCollapsed() || IsRectEmpty(&m_bar))
        return false;
    // The bar widened a little each way, and down over the thumb.
    const RECT hit{m_bar.left - 6, m_bar.top - 2, m_bar.right + 5, m_bar.top + 8};
    if (!PtInRect(&hit, point))
        return false;
    const int width = m_bar.right - m_bar.left;
    const int x = std::clamp<int>(point.x, m_bar.left, m_bar.right);
    if (width > 0 && (x < m_thumb || x > m_thumb + 8))
        SetFromUser(m_minimum + (m_maximum - m_minimum) * (x - m_bar.left) / width);
    Notify(UM_BEGINDRAG, kCrossCursor);
    return true;
}

bool CAESliderTrack::OnMouseMove(POINT point)
{
    const int width = m_bar.right - m_bar.left;
    if (width < 2)
        return false;
    const int x = std::clamp<int>(point.x, m_bar.left, m_bar.right - 1);
    if (x == m_lastDragX)
        return false;
    m_lastDragX = x;
    SetFromUser(m_minimum + (m_maximum - m_minimum) * (x - m_bar.left) / (width - 1));
    return true;
}
