#include "charteditor/ChartSettingsPage.h"

#include <memory>

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/SceneHelpers.h"
#include "charteditor/ChartEditorIds.h"
#include "common/storedvalues/CNumbers.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostException.h"
#include "hostclient/HostScene.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/UserPrompts.h"

const wchar_t kNotSelectedItem[] = L"<Not Selected>";

CChartSettingsPage::CChartSettingsPage(UINT templateId, HWND parent, CQuillonDoc* document,
                                       const ChartElementShape& shape)
    : CChartPage(templateId, parent), m_document(document), m_shape(shape)
{
    m_nodeName = kNotSelectedItem;
    m_transitionName = kNotSelectedItem;
}

BOOL CChartSettingsPage::OnInitDialog()
{
    CChartPage::OnInitDialog();
    CLoadingGuard loading(m_loading);
    for (int id : {m_shape.nodeListId, IDC_CHART_TRANSITION})
        AddComboItemIfMissing(GetItem(id), kNotSelectedItem);
    AddInitialItems();
    WriteAllControls();
    return TRUE;
}

void CChartSettingsPage::OnChartUpdate(CView*, LPARAM hint, void*)
{
    if (hint == kHintLoaded)
        LoadSettings();
}

bool CChartSettingsPage::SavesOnShared(int id, UINT code) const
{
    return (code == CBN_SELCHANGE && (id == m_shape.nodeListId || id == IDC_CHART_TRANSITION)) ||
           (code == BN_CLICKED && id == IDC_CHART_ENABLE);
}

bool CChartSettingsPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        bool handled = true;
        if (code == CBN_DROPDOWN && id == m_shape.nodeListId)
            FillNodeList();
        else if (code == CBN_DROPDOWN && id == IDC_CHART_TRANSITION)
            FillTransitionList();
        else if (SavesOnShared(id, code) || SavesOn(id, code))
            SaveSettings();
        else
            handled = false;
        if (handled) {
            result = 0;
            return true;
        }
    }
    return CChartPage::OnMessage(msg, wParam, lParam, result);
}

void CChartSettingsPage::SetAllDefaults()
{
    m_nodeName = kNotSelectedItem;
    m_transitionName = kNotSelectedItem;
    m_enable = false;
    SetDefaults();
}

void CChartSettingsPage::WriteAllControls()
{
    ShowName(GetItem(m_shape.nodeListId), m_nodeName);
    ShowName(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    WriteControls();
    SetCheck(GetSafeHwnd(), IDC_CHART_ENABLE, m_enable);
}

void CChartSettingsPage::TakeControlValues()
{
    ReadSelection(GetItem(m_shape.nodeListId), m_nodeName);
    ReadSelection(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    ReadControls();
    m_enable = GetCheck(GetSafeHwnd(), IDC_CHART_ENABLE);
}

void CChartSettingsPage::LoadSettings()
{
    CLoadingGuard loading(m_loading);
    CXmlNodePtr root = m_document ? m_document->GetRoot() : CXmlNodePtr();
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on load");
        return;
    }
    CXmlNodePtr element = CXmlNodePtr::Adopt(root->FindChild(m_shape.elementName, 0));
    if (element) {
        element->GetAttributeString(m_shape.nodeAttribute, m_nodeName);
        element->GetAttributeString(L"transitionname", m_transitionName);
        ReadElement(*element);
        ReadFlagAttribute(*element, L"enable", m_enable);
    } else {
        SetAllDefaults();
    }
    WriteAllControls();
}

void CChartSettingsPage::SaveSettings()
{
    if (m_loading)
        return;
    TakeControlValues();
    CXmlNodePtr root = m_document ? m_document->GetRoot() : CXmlNodePtr();
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on save");
        return;
    }
    CXmlNodePtr element = CXmlNodePtr::Adopt(root->FindChild(m_shape.elementName, 0));
    if (!element)
        element = CXmlNodePtr(new CXmlNode(root.Get(), m_shape.elementName));  // the root holds its reference
    element->SetAttribute(m_shape.nodeAttribute, m_nodeName.c_str());
    element->SetAttribute(L"transitionname", m_transitionName.c_str());
    WriteElement(*element);
    element->SetAttributeInt(L"enable", m_enable ? 1 : 0);
    element.Reset();
    root.Reset();
    m_document->SaveDocument();
}

void CChartSettingsPage::RefillList(int id, const std::vector<std::wstring>& names, const std::wstring& current)
{
    CLoadingGuard loading(m_loading);
    const HWND list = GetItem(id);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    AddComboItemIfMissing(list, kNotSelectedItem);
    for (const std::wstring& name : names)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ShowName(list, current);
}

void CChartSettingsPage::FillNodeList()
{
    std::vector<std::wstring> names;
    try {
        CHostApplication application;
        application.Attach(m_document ? m_document->GetApplication() : nullptr);
        ListNodesOfType(application, m_shape.nodeType, names);
    } catch (const CHostException&) {
        names.clear();  // no canvas or scene: only "<Not Selected>"
    }
    RefillList(m_shape.nodeListId, names, m_nodeName);
}

void CChartSettingsPage::FillTransitionList()
{
    std::vector<std::wstring> names;
    try {
        CHostApplication application;
        application.Attach(m_document ? m_document->GetApplication() : nullptr);
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        if (scene) {
            names = TransitionNames(*scene);
            if (names.empty())
                names.push_back(L"Default");
        }
    } catch (const CHostException&) {
        names.clear();
    }
    RefillList(IDC_CHART_TRANSITION, names, m_transitionName);
}

void ShowName(HWND list, const std::wstring& value)
{
    AddComboItemIfMissing(list, value);
    SelectComboItem(list, value);
}

void ReadSelection(HWND list, std::wstring& value)
{
    if (::SendMessageW(list, CB_GETCURSEL, 0, 0) != CB_ERR)
        value = GetComboSelection(list);
}

void ReadIntAttribute(const CXmlNode& element, const wchar_t* name, int& value)
{
    std::wstring text;
    if (element.GetAttributeString(name, text))
        ParseCInt(text, value);
}

void ReadFlagAttribute(const CXmlNode& element, const wchar_t* name, bool& value)
{
    int flag = value ? 1 : 0;
    ReadIntAttribute(element, name, flag);
    value = flag != 0;
}
