#pragma once
// CTrellanChartDialog: the line chart page. It edits the chart document's
// `Trellan` element (which line-chart node, the transition its labels are
// keyframed on, whether line charts are on) and has two commands: "Add Param
// Templates" opens "Make Group" for the chosen node, "Make Label Keyframes"
// plays the transition frame by frame with the line charts locating their
// labels.

#include <string>

#include "charteditor/ChartSettingsPage.h"

class CTrellanChartDialog : public CChartSettingsPage {
public:
    // Makes the window as a child of `parent`; the document is not owned.
    CTrellanChartDialog(HWND parent, CQuillonDoc* document);
    ~CTrellanChartDialog() override;

    // The lists offered when they drop down: the scene's line-chart nodes,
    // its transitions.
    void FillNodeList();
    void FillTransitionList();

    void AddParamTemplates();
    void MakeLabelKeyframes();

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetDefaults() override;
    void ReadElement(const CXmlNode& element) override;
    void WriteElement(CXmlNode& element) const override;
    void AddInitialItems() override;
    void ReadControls() override;
    void WriteControls() override;
    bool SavesOn(int id, UINT code) const override;
    bool FillOnDropDown(int id) override;

    std::wstring m_nodeName;
    std::wstring m_transitionName;
    bool m_enable = false;
};
