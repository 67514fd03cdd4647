#pragma once
// CChartSettingsPage: a chart page that mirrors one element of the chart
// document (`PieChart`, `BarChart`, `Trellan`). It loads the element when the
// document loads and, after every change of one of its controls, writes the
// element and the whole document back into the scene. Filling the controls
// never saves: a loading guard is held meanwhile.
//
// A page names its element, says what its values are without one, moves
// them between the element, its members and its controls, and says which
// notifications save and which lists fill when they drop down.

#include <string>
#include <vector>

#include "charteditor/ChartPage.h"
#include "common/xml/XmlNode.h"

class CQuillonDoc;

// The first item of the pages' name lists, and their value until one is picked.
extern const wchar_t kNotSelectedItem[];

class CChartSettingsPage : public CChartPage {
public:
    // Loads on "loaded"; other hints leave the page as it is.
    void OnChartUpdate(CView* sender, LPARAM hint, void* object) override;

    void LoadSettings();
    void SaveSettings();

protected:
    // The document is not owned. The leaf class calls Create().
    CChartSettingsPage(UINT templateId, HWND parent, CQuillonDoc* document, const wchar_t* elementName);

    // The values of a document without the element.
    virtual void SetDefaults() = 0;
    // The element's attributes into the values; an absent one keeps its value.
    virtual void ReadElement(const CXmlNode& element) = 0;
    // Every value of the page into the element; other attributes stay.
    virtual void WriteElement(CXmlNode& element) const = 0;
    // The items the template's lists start with.
    virtual void AddInitialItems() = 0;
    virtual void ReadControls() = 0;
    // A name list gains a value it lacks (ShowName).
    virtual void WriteControls() = 0;
    // Whether the control's notification is a change the page saves.
    virtual bool SavesOn(int id, UINT code) const = 0;
    // Fills the list that drops down; false for a list that keeps its items.
    virtual bool FillOnDropDown(int id) = 0;

    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The list refilled when it drops down: "<Not Selected>", the active
    // scene's top-level nodes of that host type, then `current` when it is
    // missing; `current` stays selected.
    void RefillWithNodes(int id, long nodeType, const std::wstring& current);
    // The same with the scene's transitions ("Default" for a scene without any).
    void RefillWithTransitions(int id, const std::wstring& current);

    CQuillonDoc* Document() const { return m_document; }

private:
    void RefillList(int id, const std::vector<std::wstring>& names, const std::wstring& current);

    CQuillonDoc* m_document;
    const wchar_t* m_elementName;
    bool m_loading = false;
};

// Control and attribute helpers of the pages.

// Selects `value` in the list, added first when the list lacks it.
void ShowName(HWND list, const std::wstring& value);
// The selected item's text into `value`; without a selection it stays.
void ReadSelection(HWND list, std::wstring& value);
// The attribute's integer into `value`; absent or no integer, it stays.
void ReadIntAttribute(const CXmlNode& element, const wchar_t* name, int& value);
// The attribute 0 or 1 into `value`; any other integer is true; absent, it stays.
void ReadFlagAttribute(const CXmlNode& element, const wchar_t* name, bool& value);
