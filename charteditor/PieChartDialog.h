#pragma once
// CPieChartDialog: the "Pie" page. It edits the chart document's `PieChart`
// element: which group's children are the slices, the transition and frames
// they are keyframed on, their order, whether pie charts are on.

#include <string>

#include "charteditor/ChartSettingsPage.h"

class CPieChartDialog : public CChartSettingsPage {
public:
    // Makes the window as a child of `parent`; the document is not owned.
    CPieChartDialog(HWND parent, CQuillonDoc* document);
    ~CPieChartDialog() override;

private:
    void SetDefaults() override;
    void ReadElement(const CXmlNode& element) override;
    void WriteElement(CXmlNode& element) const override;
    void AddInitialItems() override;
    void ReadControls() override;
    void WriteControls() override;
    bool SavesOn(int id, UINT code) const override;

    int m_startFrame = 0;
    int m_endFrame = 0;
    std::wstring m_ordering;
};
