#pragma once
// CTrellanChartDialog: the line chart page. It edits the chart document's
// `Trellan` element (which line-chart node, the transition its labels are
// keyframed on, whether line charts are on) and has two commands: "Add Param
// Templates" opens "Make Group" for the chosen node, "Make Label Keyframes"
// plays the transition frame by frame with the line charts locating their
// labels. Its "Redraw" check box is neither loaded nor saved.

#include "charteditor/ChartSettingsPage.h"

class CTrellanChartDialog : public CChartSettingsPage {
public:
    // Makes the window as a child of `parent`; the document is not owned.
    CTrellanChartDialog(HWND parent, CQuillonDoc* document);
    ~CTrellanChartDialog() override;

    void AddParamTemplates();
    void MakeLabelKeyframes();

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
