#pragma once
// A row with a number: its value text, and when expanded a slider bar over
// its range. The value is a double or an int of the panel's records.

#include "geometry/paramui/Track.h"

class CAESliderTrack : public CAETrack {
public:
    CAESliderTrack(CWnd& listBox, std::wstring name, double* value, double minimum, double maximum, int decimals,
                   int paramId);
    CAESliderTrack(CWnd& listBox, std::wstring name, int* value, int minimum, int maximum, int paramId);

    double Value() const;
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }
    // The value as the row shows it.
    std::wstring ValueText() const;
    // Where the value text is painted, relative to the row's entry.
    const RECT& ValueTextRect() const { return m_valueText; }
    // A number typed into the panel's editor: clamped to the range first.
    void SetFromEditor(double value);

    void DrawLabel(HFONT font, HDC dc, const RECT& row) override;
    void DrawControls(HFONT font, HDC dc, const RECT& row) override;
    bool OnMouseDown(POINT point) override;
    bool OnMouseMove(POINT point) override;

private:
    static constexpr int kExpandedHeight = 40;

    // Stores a value the user chose; tells the list box when it changed.
    void SetFromUser(double value);
    std::wstring Format(double value) const;
    // Position along the bar, 0 ... 1; 0 for an empty range.
    double Fraction() const;

    double* m_double = nullptr;
    int* m_int = nullptr;
    double m_minimum, m_maximum;
    int m_decimals;   // as the map says; the formatting bounds it
    RECT m_bar{};                              // relative to the entry; empty until painted expanded
    RECT m_valueText{INT_MAX, 0, INT_MAX, 0};
    int m_thumb = 0;                           // left edge of the thumb image
    int m_lastDragX = -100;
};
