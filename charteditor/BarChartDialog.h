#pragma once
// CBarChartDialog: the bar chart page. It edits the chart document's
// `BarChart` element: which group's children are the bars, the transition
// they are keyframed on, stacked or side by side, upright or lying, chained
// to the previous chart, and whether bar charts are on. The scale and frame
// attributes the chart update keeps in the same element are left alone.

#include <string>

#include "charteditor/ChartSettingsPage.h"

class CBarChartDialog : public CChartSettingsPage {
public:
    // Makes the window as a child of `parent`; the document is not owned.
    CBarChartDialog(HWND parent, CQuillonDoc* document);
    ~CBarChartDialog() override;

private:
    void SetDefaults() override;
    void ReadElement(const CXmlNode& element) override;
    void WriteElement(CXmlNode& element) const override;
    void AddInitialItems() override;
    void ReadControls() override;
    void WriteControls() override;
    bool SavesOn(int id, UINT code) const override;

    std::wstring m_style;
    std::wstring m_orientation;
    bool m_chainToPrevious = false;
};
