#pragma once
// CPieChartDialog: the "Pie" page. It edits the chart document's `PieChart`
// element (which group's children are the slices, the transition and frames
// they are keyframed on, their order, whether pie charts are on) and writes
// the document back into the scene after every change of a control.

#include <string>
#include <vector>

#include "charteditor/ChartPage.h"

class CQuillonDoc;

class CPieChartDialog : public CChartPage {
public:
    // Makes the window as a child of `parent`; the document is not owned.
    CPieChartDialog(HWND parent, CQuillonDoc* document);
    ~CPieChartDialog() override;

    // Loads on "loaded"; other hints leave the page as it is.
    void OnChartUpdate(CView* sender, LPARAM hint, void* object) override;

    void LoadSettings();
    void SaveSettings();
    // The lists offered when they drop down: the scene's group nodes, its
    // transitions ("Default" for a scene without any).
    void FillGroupList();
    void FillTransitionList();

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetDefaults();
    void ReadControls();
    void WriteControls();
    // Empties the list, adds "<Not Selected>" and `names`, then the current
    // value when it is missing, and selects the current value.
    void RefillList(int id, const std::vector<std::wstring>& names, const std::wstring& current);

    CQuillonDoc* m_document;
    bool m_loading = false;
    std::wstring m_groupName;
    std::wstring m_transitionName;
    int m_startFrame = 0;
    int m_endFrame = 0;
    std::wstring m_ordering;
    bool m_enable = false;
};
