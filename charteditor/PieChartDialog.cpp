#include "charteditor/PieChartDialog.h"

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

namespace {

const wchar_t kNotSelected[] = L"<Not Selected>";
const wchar_t kLeaderFirst[] = L"Leader First";
const wchar_t* const kOrderings[] = {kLeaderFirst, L"Leader Last", L"None"};

void ReadInt(const CXmlNode& element, const wchar_t* name, int& value)
{
    std::wstring text;
    if (element.GetAttributeString(name, text))
        ParseCInt(text, value);
}

// The selected item's text into `value`; without a selection it stays.
void ReadSelection(HWND list, std::wstring& value)
{
    if (::SendMessageW(list, CB_GETCURSEL, 0, 0) != CB_ERR)
        value = GetComboSelection(list);
}

}  // namespace

CPieChartDialog::CPieChartDialog(HWND parent, CQuillonDoc* document)
    : CChartPage(IDD_PIE_CHART, parent), m_document(document)
{
    SetDefaults();
    Create();
}

CPieChartDialog::~CPieChartDialog()
{
    DestroyWindow();
}

void CPieChartDialog::SetDefaults()
{
    m_groupName = kNotSelected;
    m_transitionName = kNotSelected;
    m_startFrame = 0;
    m_endFrame = 0;
    m_ordering = kLeaderFirst;
    m_enable = false;
}

BOOL CPieChartDialog::OnInitDialog()
{
    CChartPage::OnInitDialog();
    CLoadingGuard loading(m_loading);
    for (int id : {IDC_CHART_GROUP, IDC_CHART_TRANSITION})
        AddComboItemIfMissing(GetItem(id), kNotSelected);
    for (const wchar_t* ordering : kOrderings)
        AddComboItemIfMissing(GetItem(IDC_PIE_ORDERING), ordering);
    WriteControls();
    return TRUE;
}

void CPieChartDialog::OnChartUpdate(CView*, LPARAM hint, void*)
{
    if (hint == kHintLoaded)
        LoadSettings();
}

void CPieChartDialog::LoadSettings()
{
    CLoadingGuard loading(m_loading);
    CXmlNodePtr root = m_document ? m_document->GetRoot() : CXmlNodePtr();
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on load");
        return;
    }
    CXmlNodePtr pie = CXmlNodePtr::Adopt(root->FindChild(L"PieChart", 0));
    if (!pie) {
        SetDefaults();
    } else {
        pie->GetAttributeString(L"groupname", m_groupName);
        pie->GetAttributeString(L"transitionname", m_transitionName);
        ReadInt(*pie, L"startframe", m_startFrame);
        ReadInt(*pie, L"endframe", m_endFrame);
        if (!pie->GetAttributeString(L"ordering", m_ordering) || m_ordering.empty())
            m_ordering = kLeaderFirst;
        int enable = m_enable ? 1 : 0;
        ReadInt(*pie, L"enable", enable);
        m_enable = enable != 0;
    }
    AddComboItemIfMissing(GetItem(IDC_CHART_GROUP), m_groupName);
    AddComboItemIfMissing(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    WriteControls();
}

void CPieChartDialog::SaveSettings()
{
    if (m_loading)
        return;
    ReadControls();
    CXmlNodePtr root = m_document ? m_document->GetRoot() : CXmlNodePtr();
    if (!root) {
        ShowMessageBox(GetSafeHwnd(), L"Error retreiving document on save");
        return;
    }
    CXmlNodePtr pie = CXmlNodePtr::Adopt(root->FindChild(L"PieChart", 0));
    if (!pie)
        pie = CXmlNodePtr(new CXmlNode(root.Get(), L"PieChart"));  // the root holds its reference
    pie->SetAttribute(L"groupname", m_groupName.c_str());
    pie->SetAttribute(L"transitionname", m_transitionName.c_str());
    pie->SetAttributeInt(L"startframe", m_startFrame);
    pie->SetAttributeInt(L"endframe", m_endFrame);
    pie->SetAttribute(L"ordering", m_ordering.c_str());
    pie->SetAttributeInt(L"enable", m_enable ? 1 : 0);
    pie.Reset();
    root.Reset();
    m_document->SaveDocument();
}

void CPieChartDialog::ReadControls()
{
    const HWND dialog = GetSafeHwnd();
    ReadSelection(GetItem(IDC_CHART_GROUP), m_groupName);
    ReadSelection(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    GetControlInt(dialog, IDC_PIE_START_FRAME, m_startFrame);
    GetControlInt(dialog, IDC_PIE_END_FRAME, m_endFrame);
    ReadSelection(GetItem(IDC_PIE_ORDERING), m_ordering);
    m_enable = GetCheck(dialog, IDC_CHART_ENABLE);
}

void CPieChartDialog::WriteControls()
{
    const HWND dialog = GetSafeHwnd();
    SelectComboItem(GetItem(IDC_CHART_GROUP), m_groupName);
    SelectComboItem(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    SetControlInt(dialog, IDC_PIE_START_FRAME, m_startFrame);
    SetControlInt(dialog, IDC_PIE_END_FRAME, m_endFrame);
    SelectComboItem(GetItem(IDC_PIE_ORDERING), m_ordering);
    SetCheck(dialog, IDC_CHART_ENABLE, m_enable);
}

void CPieChartDialog::RefillList(int id, const std::vector<std::wstring>& names, const std::wstring& current)
{
    CLoadingGuard loading(m_loading);
    const HWND list = GetItem(id);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    AddComboItemIfMissing(list, kNotSelected);
    for (const std::wstring& name : names)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    AddComboItemIfMissing(list, current);
    SelectComboItem(list, current);
}

void CPieChartDialog::FillGroupList()
{
    std::vector<std::wstring> names;
    try {
        CHostApplication application;
        application.Attach(m_document ? m_document->GetApplication() : nullptr);
        ListNodesOfType(application, 0, names);
    } catch (const CHostException&) {
        names.clear();  // no canvas or scene: only "<Not Selected>"
    }
    RefillList(IDC_CHART_GROUP, names, m_groupName);
}

void CPieChartDialog::FillTransitionList()
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

bool CPieChartDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        const bool changed = (code == EN_CHANGE && (id == IDC_PIE_START_FRAME || id == IDC_PIE_END_FRAME)) ||
                             (code == CBN_SELCHANGE &&
                              (id == IDC_CHART_GROUP || id == IDC_CHART_TRANSITION || id == IDC_PIE_ORDERING)) ||
                             (code == BN_CLICKED && id == IDC_CHART_ENABLE);
        if (changed) {
            SaveSettings();
            result = 0;
            return true;
        }
        if (code == CBN_DROPDOWN && (id == IDC_CHART_GROUP || id == IDC_CHART_TRANSITION)) {
            if (id == IDC_CHART_GROUP)
                FillGroupList();
            else
                FillTransitionList();
            result = 0;
            return true;
        }
    }
    return CChartPage::OnMessage(msg, wParam, lParam, result);
}
