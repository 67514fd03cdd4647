#pragma once
// CChartSettingsPage: a chart page that mirrors one element of the chart
// document (`PieChart`, `BarChart`, `Trellan`). It loads the element when the
// document loads and, after every change of one of its controls, writes the
// element and the whole document back into the scene. Filling the controls
// never saves: a loading guard is held meanwhile.
//
// Every page chooses a node of the scene from a list, a transition (list
// 232) and whether its kind of chart is on (check box 234); the page holds
// these. A chart kind adds its own values through the virtual functions,
// each of which handles only those.

#include <string>
#include <vector>

#include "charteditor/ChartPage.h"
#include "common/xml/XmlNode.h"

class CQuillonDoc;

// The first item of the pages' name lists, and their value until one is picked.
extern const wchar_t kNotSelectedItem[];

// What a chart kind's page edits.
struct ChartElementShape {
    const wchar_t* elementName;
    int nodeListId;                // the list of the scene's nodes
    const wchar_t* nodeAttribute;  // the chosen node's name in the element
    long nodeType;                 // the host type of the nodes offered
};

class CChartSettingsPage : public CChartPage {
public:
    // Loads on "loaded"; other hints leave the page as it is.
    void OnChartUpdate(CView* sender, LPARAM hint, void* object) override;

    void LoadSettings();
    void SaveSettings();

    // The lists offered when they drop down: "<Not Selected>", the active
    // scene's top-level nodes of the page's type or its transitions
    // ("Default" for a scene without any), and the current value when it is
    // missing; the current value stays selected.
    void FillNodeList();
    void FillTransitionList();

protected:
    // The document is not owned. The leaf class calls Create().
    CChartSettingsPage(UINT templateId, HWND parent, CQuillonDoc* document, const ChartElementShape& shape);

    // The chart kind's own values of a document without the element.
    virtual void SetDefaults() {}
    // Its attributes into its values; an absent one keeps its value.
    virtual void ReadElement(const CXmlNode&) {}
    // Its values into the element; other attributes stay.
    virtual void WriteElement(CXmlNode&) const {}
    // The items its lists start with.
    virtual void AddInitialItems() {}
    virtual void ReadControls() {}
    virtual void WriteControls() {}
    // Whether the notification is a change of its own controls.
    virtual bool SavesOn(int /*id*/, UINT /*code*/) const { return false; }

    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The controls' values into the page's (without saving).
    void TakeControlValues();

    CQuillonDoc* Document() const { return m_document; }
    const std::wstring& NodeName() const { return m_nodeName; }
    const std::wstring& TransitionName() const { return m_transitionName; }

private:
    void SetAllDefaults();
    void WriteAllControls();
    bool SavesOnShared(int id, UINT code) const;
    void RefillList(int id, const std::vector<std::wstring>& names, const std::wstring& current);

    CQuillonDoc* m_document;
    ChartElementShape m_shape;
    bool m_loading = false;
    std::wstring m_nodeName;
    std::wstring m_transitionName;
    bool m_enable = false;
};

// Control and attribute helpers of the pages.

// Selects `value` in the list, added first when the list lacks it.
void ShowName(HWND list, const std::wstring& value);
// The selected item's text into `value`; without a selection it stays.
void ReadSelection(HWND list, std::wstring& value);
// The attribute's integer into `value`; absent or no integer, it stays.
void ReadIntAttribute(const CXmlNode& element, const wchar_t* name, int& value);
// The attribute as a flag (any integer but 0 is true); absent, it stays.
void ReadFlagAttribute(const CXmlNode& element, const wchar_t* name, bool& value);
