#pragma once
// CSetupStylesView: the styles editor. It mirrors the document's attribute
// catalogue and style list in its lists and writes the document back into
// the scene after every change.

#include <string>
#include <vector>

#include "charteditor/StyleElements.h"
#include "platform/ui/FormView.h"

class CQuillonDoc;

class CSetupStylesView : public CFormView {
public:
    CSetupStylesView();
    ~CSetupStylesView() override;

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, void* object) override;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CQuillonDoc* Document() const;
    void LoadStyles();
    void ClearStyles();

    void AddAttribute();
    void DeleteAttribute();
    void UpdateAttribute();
    void ShowAttribute();
    void SaveCatalogue();

    void AddStyle();
    void DeleteStyle();
    void UpdateStyle();
    void ShowStyle();
    void ShowStyleAttribute();
    void SaveStyleValue();

    // The catalogue line or style index whose name matches, other than `except`; -1 for none.
    int FindCatalogueName(const std::wstring& name, int except) const;
    int FindStyleName(const std::wstring& name, int except) const;
    int Selection(int list) const;
    void Message(const wchar_t* text);

    bool m_initialised = false;
    bool m_loading = false;
    // What the lists show, item by item.
    std::vector<CatalogueEntry> m_catalogue;
    std::vector<CXmlNodePtr> m_styles;
    std::vector<CXmlNodePtr> m_styleAttributes;
};
