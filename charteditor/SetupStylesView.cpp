#include "charteditor/SetupStylesView.h"

#include "chartcontrol/QuillonDoc.h"
#include "charteditor/SetupIds.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/UserPrompts.h"

namespace {

const wchar_t* const kTypes[] = {L"File", L"Color", L"Text"};
constexpr wchar_t kDefaultType[] = L"Text";
// In dialog units.
constexpr int kCatalogueTabStop = 82;
constexpr int kStyleAttributeTabStop = 60;

std::wstring Line(const std::wstring& first, const std::wstring& second)
{
    return first + L"\t" + second;
}

void ResetList(HWND list)
{
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
}

void AddLine(HWND list, const std::wstring& text)
{
    ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ReplaceLine(HWND list, int index, const std::wstring& text)
{
    ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// After the item at `index` went: the one now there, or the one before.
int RemoveLine(HWND list, int index)
{
    ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    const int next = index < count ? index : count - 1;
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
    return next;
}

} // namespace

CSetupStylesView::CSetupStylesView() : CFormView(IDD_SETUP_STYLES) {}

CSetupStylesView::~CSetupStylesView()
{
    DestroyWindow();
}

CQuillonDoc* CSetupStylesView::Document() const
{
    return dynamic_cast<CQuillonDoc*>(GetDocument());
}

void CSetupStylesView::OnInitialUpdate()
{
    if (!m_initialised) {
        m_initialised = true;
        HWND types = GetItem(IDC_ATTRIBUTE_TYPE);
        for (const wchar_t* type : kTypes)
            ::SendMessageW(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
        SelectComboItem(types, kDefaultType);
        int stop = kCatalogueTabStop;
        ::SendMessageW(GetItem(IDC_ATTRIBUTE_LIST), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
        stop = kStyleAttributeTabStop;
        ::SendMessageW(GetItem(IDC_STYLE_ATTRIBUTES), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    }
    // The document may be loaded before the view exists: a catalogue write
    // from empty lists would otherwise drop its attributes.
    LoadStyles();
}

void CSetupStylesView::OnUpdate(CView*, LPARAM hint, void*)
{
    if (hint == kHintLoaded)
        LoadStyles();
    else if (hint == kHintCleared)
        ClearStyles();
}

void CSetupStylesView::ClearStyles()
{
    CLoadingGuard loading(m_loading);
    for (int list : {IDC_ATTRIBUTE_LIST, IDC_STYLE_LIST, IDC_STYLE_ATTRIBUTES})
        ResetList(GetItem(list));
    m_catalogue.clear();
    m_styles.clear();
    m_styleAttributes.clear();
    for (int edit : {IDC_ATTRIBUTE_NAME, IDC_STYLE_NAME, IDC_STYLE_ATTRIBUTE, IDC_STYLE_VALUE})
        SetItemText(edit, L"");
}

void CSetupStylesView::LoadStyles()
{
    ClearStyles();
    CQuillonDoc* document = Document();
    CXmlNodePtr root = document ? document->GetRoot() : nullptr;
    if (!root)
        return;
    CLoadingGuard loading(m_loading);
    m_catalogue = ReadCatalogue(*root);
    for (const CatalogueEntry& entry : m_catalogue)
        AddLine(GetItem(IDC_ATTRIBUTE_LIST), Line(entry.name, entry.type));
    m_styles = ReadStyles(*root);
    for (const CXmlNodePtr& style : m_styles)
        AddLine(GetItem(IDC_STYLE_LIST), AttributeText(*style, L"name"));
    if (!m_catalogue.empty()) {
        ::SendMessageW(GetItem(IDC_ATTRIBUTE_LIST), LB_SETCURSEL, 0, 0);
        ShowAttribute();
    }
    if (!m_styles.empty()) {
        ::SendMessageW(GetItem(IDC_STYLE_LIST), LB_SETCURSEL, 0, 0);
        ShowStyle();
    }
}

int CSetupStylesView::Selection(int list) const
{
    const LRESULT selected = ::SendMessageW(GetItem(list), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void CSetupStylesView::Message(const wchar_t* text)
{
    ShowMessageBox(GetSafeHwnd(), text);
}

int CSetupStylesView::FindCatalogueName(const std::wstring& name, int except) const
{
    for (size_t i = 0; i < m_catalogue.size(); ++i)
        if (static_cast<int>(i) != except && SameStyleName(m_catalogue[i].name, name))
            return static_cast<int>(i);
    return -1;
}

int CSetupStylesView::FindStyleName(const std::wstring& name, int except) const
{
    for (size_t i = 0; i < m_styles.size(); ++i)
        if (static_cast<int>(i) != except && SameStyleName(AttributeText(*m_styles[i], L"name"), name))
            return static_cast<int>(i);
    return -1;
}

void CSetupStylesView::ShowAttribute()
{
    const int selected = Selection(IDC_ATTRIBUTE_LIST);
    if (selected < 0 || static_cast<size_t>(selected) >= m_catalogue.size())
        return;
    CLoadingGuard loading(m_loading);
    SetItemText(IDC_ATTRIBUTE_NAME, m_catalogue[static_cast<size_t>(selected)].name);
    SelectComboItem(GetItem(IDC_ATTRIBUTE_TYPE), m_catalogue[static_cast<size_t>(selected)].type);
}

void CSetupStylesView::SaveCatalogue()
{
    CQuillonDoc* document = Document();
    CXmlNodePtr root = document ? document->GetRoot() : nullptr;
    if (!root)
        return;
    WriteCatalogue(*root, m_catalogue);
    document->SaveDocument();
}

void CSetupStylesView::AddAttribute()
{
    const CatalogueEntry entry{CleanStyleName(GetItemText(IDC_ATTRIBUTE_NAME)),
                               GetComboSelection(GetItem(IDC_ATTRIBUTE_TYPE))};
    if (entry.name.empty())
        return Message(L"Missing attribute name");
    if (FindCatalogueName(entry.name, -1) >= 0)
        return Message(L"Name is already defined");
    m_catalogue.push_back(entry);
    HWND list = GetItem(IDC_ATTRIBUTE_LIST);
    AddLine(list, Line(entry.name, entry.type));
    ::SendMessageW(list, LB_SETCURSEL, m_catalogue.size() - 1, 0);
    SaveCatalogue();
}

void CSetupStylesView::DeleteAttribute()
{
    const int selected = Selection(IDC_ATTRIBUTE_LIST);
    if (selected < 0)
        return Message(L"No attribute selected");
    m_catalogue.erase(m_catalogue.begin() + selected);
    RemoveLine(GetItem(IDC_ATTRIBUTE_LIST), selected);
    ShowAttribute();
    SaveCatalogue();
}

void CSetupStylesView::UpdateAttribute()
{
    const int selected = Selection(IDC_ATTRIBUTE_LIST);
    if (selected < 0)
        return Message(L"Nothing selected to update");
    const CatalogueEntry entry{CleanStyleName(GetItemText(IDC_ATTRIBUTE_NAME)),
                               GetComboSelection(GetItem(IDC_ATTRIBUTE_TYPE))};
    if (entry.name.empty())
        return Message(L"Missing attribute name");
    if (FindCatalogueName(entry.name, selected) >= 0)
        return Message(L"Name is already defined");
    m_catalogue[static_cast<size_t>(selected)] = entry;
    ReplaceLine(GetItem(IDC_ATTRIBUTE_LIST), selected, Line(entry.name, entry.type));
    SaveCatalogue();
}

void CSetupStylesView::AddStyle()
{
    const std::wstring name = CleanStyleName(GetItemText(IDC_STYLE_NAME));
    if (name.empty())
        return Message(L"Missing style name");
    if (FindStyleName(name, -1) >= 0)
        return Message(L"Name is already defined");
    CQuillonDoc* document = Document();
    CXmlNodePtr root = document ? document->GetRoot() : nullptr;
    if (!root)
        return;
    m_styles.push_back(::AddStyle(*root, name, m_catalogue));
    HWND list = GetItem(IDC_STYLE_LIST);
    AddLine(list, name);
    ::SendMessageW(list, LB_SETCURSEL, m_styles.size() - 1, 0);
    ShowStyle();
    document->SaveDocument();
}

void CSetupStylesView::DeleteStyle()
{
    const int selected = Selection(IDC_STYLE_LIST);
    CQuillonDoc* document = Document();
    if (selected < 0 || !document)
        return;
    CXmlNodePtr style = m_styles[static_cast<size_t>(selected)];
    if (CXmlNode* list = style->GetParent())
        list->RemoveChild(style.Get());
    m_styles.erase(m_styles.begin() + selected);
    RemoveLine(GetItem(IDC_STYLE_LIST), selected);
    ShowStyle();
    document->SaveDocument();
}

void CSetupStylesView::UpdateStyle()
{
    const int selected = Selection(IDC_STYLE_LIST);
    CQuillonDoc* document = Document();
    if (selected < 0 || !document)
        return;
    const std::wstring name = CleanStyleName(GetItemText(IDC_STYLE_NAME));
    if (name.empty())
        return Message(L"Missing style name");
    if (FindStyleName(name, selected) >= 0)
        return Message(L"Name is already defined");
    ReplaceLine(GetItem(IDC_STYLE_LIST), selected, name);
    m_styles[static_cast<size_t>(selected)]->SetAttribute(L"name", name.c_str());
    document->SaveDocument();
}

void CSetupStylesView::ShowStyle()
{
    CLoadingGuard loading(m_loading);
    HWND list = GetItem(IDC_STYLE_ATTRIBUTES);
    ResetList(list);
    m_styleAttributes.clear();
    SetItemText(IDC_STYLE_ATTRIBUTE, L"");
    SetItemText(IDC_STYLE_VALUE, L"");
    const int selected = Selection(IDC_STYLE_LIST);
    if (selected < 0 || static_cast<size_t>(selected) >= m_styles.size()) {
        SetItemText(IDC_STYLE_NAME, L"");
        return;
    }
    CXmlNode& style = *m_styles[static_cast<size_t>(selected)];
    SetItemText(IDC_STYLE_NAME, AttributeText(style, L"name"));
    m_styleAttributes = ReadStyleAttributes(style);
    for (const CXmlNodePtr& attribute : m_styleAttributes)
        AddLine(list, Line(AttributeText(*attribute, L"name"), AttributeText(*attribute, L"value")));
    if (!m_styleAttributes.empty()) {
        ::SendMessageW(list, LB_SETCURSEL, 0, 0);
        ShowStyleAttribute();
    }
}

void CSetupStylesView::ShowStyleAttribute()
{
    const int selected = Selection(IDC_STYLE_ATTRIBUTES);
    if (selected < 0 || static_cast<size_t>(selected) >= m_styleAttributes.size())
        return;
    CLoadingGuard loading(m_loading);
    const CXmlNode& attribute = *m_styleAttributes[static_cast<size_t>(selected)];
    SetItemText(IDC_STYLE_ATTRIBUTE, AttributeText(attribute, L"name"));
    SetItemText(IDC_STYLE_VALUE, AttributeText(attribute, L"value"));
}

void CSetupStylesView::SaveStyleValue()
{
    const int selected = Selection(IDC_STYLE_ATTRIBUTES);
    CQuillonDoc* document = Document();
    if (m_loading || selected < 0 || static_cast<size_t>(selected) >= m_styleAttributes.size() || !document)
        return;
    CXmlNode& attribute = *m_styleAttributes[static_cast<size_t>(selected)];
    const std::wstring value = GetItemText(IDC_STYLE_VALUE);
    attribute.SetAttribute(L"value", value.c_str());
    ReplaceLine(GetItem(IDC_STYLE_ATTRIBUTES), selected, Line(AttributeText(attribute, L"name"), value));
    document->SaveDocument();
}

bool CSetupStylesView::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        bool handled = true;
        if (code == BN_CLICKED && id == IDC_ATTRIBUTE_ADD)
            AddAttribute();
        else if (code == BN_CLICKED && id == IDC_ATTRIBUTE_DEL)
            DeleteAttribute();
        else if (code == BN_CLICKED && id == IDC_ATTRIBUTE_UPDATE)
            UpdateAttribute();
        else if (code == BN_CLICKED && id == IDC_STYLE_ADD)
            AddStyle();
        else if (code == BN_CLICKED && id == IDC_STYLE_DEL)
            DeleteStyle();
        else if (code == BN_CLICKED && id == IDC_STYLE_UPDATE)
            UpdateStyle();
        else if (code == LBN_SELCHANGE && id == IDC_ATTRIBUTE_LIST)
            ShowAttribute();
        else if (code == LBN_SELCHANGE && id == IDC_STYLE_LIST)
            ShowStyle();
        else if (code == LBN_SELCHANGE && id == IDC_STYLE_ATTRIBUTES)
            ShowStyleAttribute();
        else if (code == EN_CHANGE && id == IDC_STYLE_VALUE)
            SaveStyleValue();
        else
            handled = false;
        if (handled) {
            result = 0;
            return true;
        }
    }
    return CFormView::OnMessage(msg, wParam, lParam, result);
}
