#pragma once
// A row with a number: its value text, and when expanded a slider bar over
// its range. The value is a double, an int, or an int that holds the number
// times a scale (an int of hundredths with the scale 100).

#include "geometry/paramui/Track.h"

enum SliderValueType : int {
    kSliderDouble = 0,
    kSliderInteger = 1,
    kSliderScaledInteger = 2,
};

class CAESliderTrack : public CAETrack {
public:
    CAESliderTrack(CWnd& listBox, std::wstring name, double* value, double minimum, double maximum, int decimals,
                   int paramId, int flags);
    CAESliderTrack(CWnd& listBox, std::wstring name, int* value, int minimum, int maximum, int paramId, int flags);
    // The range is in stored units; the row shows and takes the number, the
    // stored value divided by `scale` (a scale that is not above 0 counts as 1).
    CAESliderTrack(CWnd& listBox, std::wstring name, int* value, int minimum, int maximum, double scale,
                   int decimals, int paramId, int flags);

    SliderValueType ValueType() const { return m_valueType; }
    double Scale() const { return m_scale; }
    // The stored value; the minimum while the row has no value.
    double Value() const;
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }
    // The value as the row shows it.
    std::wstring ValueText() const;
    // Where the value text is painted, relative to the row's entry.
    const RECT& ValueTextRect() const { return m_valueText; }
    // A number typed into the panel's editor: clamped to the range first.
    void SetFromEditor(double number);

    void DrawLabel(HFONT font, HDC dc, const RECT& row) override;
    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;
    bool OnMouseMove(POINT point) override;

private:
    static constexpr int kExpandedHeight = 40;

    // Stores a value the user chose; tells the list box when it changed.
    void SetFromUser(double value);
    // A number as shown: fixed point with the row's decimals.
    std::wstring Format(double number) const;
    // Position along the bar, 0 ... 1; 0 for an empty range.
    double Fraction() const;

    SliderValueType m_valueType;
    double m_scale = 1.0;
    double m_minimum, m_maximum;       // stored units
    double m_clampMinimum, m_clampMaximum;   // the range as numbers shown
    int m_decimals;   // as the map says; the formatting bounds it
    RECT m_bar{};                              // relative to the entry; empty until painted expanded
    RECT m_valueText{INT_MAX, 0, INT_MAX, 0};
    int m_thumb = 0;                           // left edge of the thumb image
    int m_lastDragX = -100;                    // the last drag move's column; none yet, and kept between drags
};
