#include "charteditor/ChartSettingsPage.h"

#include <memory>

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/SceneHelpers.h"
#include "common/storedvalues/CNumbers.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostException.h"
#include "hostclient/HostScene.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/UserPrompts.h"

const wchar_t kNotSelectedItem[] = L"<Not Selected>";

CChartSettingsPage::CChartSettingsPage(UINT templateId, HWND parent, CQuillonDoc* document,
                                       const wchar_t* elementName)
    : CChartPage(templateId, parent), m_document(document), m_elementName(elementName)
{
}

BOOL CChartSettingsPage::OnInitDialog()
{
    CChartPage::OnInitDialog();
    CLoadingGuard loading(m_loading);
    AddInitialItems();
    WriteControls();
    return TRUE;
}

void CChartSettingsPage::OnChartUpdate(CView*, LPARAM hint, void*)
{
    if (hint == kHintLoaded)
        LoadSettings();
}

bool CChartSettingsPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (SavesOn(id, code)) {
            SaveSettings();
            result = 0;
            return true;
        }
        if (code == CBN_DROPDOWN && FillOnDropDown(id)) {
            result = 0;
            return true;
        }
    }
    return CChartPage::OnMessage(msg, wParam, lParam, result);
}

void CChartSettingsPage::LoadSettings()
{
    CLoadingGuard loading(m_loading);
    CXmlNodePtr root = m_document ? m_document->GetRoot() : CXmlNodePtr();
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on load");
        return;
    }
    CXmlNodePtr element = CXmlNodePtr::Adopt(root->FindChild(m_elementName, 0));
    if (element)
        ReadElement(*element);
    else
        SetDefaults();
    WriteControls();
}

void CChartSettingsPage::SaveSettings()
{
    if (m_loading)
        return;
    ReadControls();
    CXmlNodePtr root = m_document ? m_document->GetRoot() : CXmlNodePtr();
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on save");
        return;
    }
    CXmlNodePtr element = CXmlNodePtr::Adopt(root->FindChild(m_elementName, 0));
    if (!element)
        element = CXmlNodePtr(new CXmlNode(root.Get(), m_elementName));  // the root holds its reference
    WriteElement(*element);
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

void CChartSettingsPage::RefillWithNodes(int id, long nodeType, const std::wstring& current)
{
    std::vector<std::wstring> names;
    try {
        CHostApplication application;
        application.Attach(m_document ? m_document->GetApplication() : nullptr);
        ListNodesOfType(application, nodeType, names);
    } catch (const CHostException&) {
        names.clear();  // no canvas or scene: only "<Not Selected>"
    }
    RefillList(id, names, current);
}

void CChartSettingsPage::RefillWithTransitions(int id, const std::wstring& current)
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
    RefillList(id, names, current);
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
