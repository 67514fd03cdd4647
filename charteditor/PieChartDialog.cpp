#include "charteditor/PieChartDialog.h"

#include "charteditor/ChartEditorIds.h"
#include "platform/ui/DataExchange.h"

namespace {

const wchar_t kLeaderFirst[] = L"Leader First";
const wchar_t* const kOrderings[] = {kLeaderFirst, L"Leader Last", L"None"};

}  // namespace

CPieChartDialog::CPieChartDialog(HWND parent, CQuillonDoc* document)
    : CChartSettingsPage(IDD_PIE_CHART, parent, document, L"PieChart")
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
    m_groupName = kNotSelectedItem;
    m_transitionName = kNotSelectedItem;
    m_startFrame = 0;
    m_endFrame = 0;
    m_ordering = kLeaderFirst;
    m_enable = false;
}

void CPieChartDialog::ReadElement(const CXmlNode& pie)
{
    pie.GetAttributeString(L"groupname", m_groupName);
    pie.GetAttributeString(L"transitionname", m_transitionName);
    ReadIntAttribute(pie, L"startframe", m_startFrame);
    ReadIntAttribute(pie, L"endframe", m_endFrame);
    if (!pie.GetAttributeString(L"ordering", m_ordering) || m_ordering.empty())
        m_ordering = kLeaderFirst;
    ReadFlagAttribute(pie, L"enable", m_enable);
}

void CPieChartDialog::WriteElement(CXmlNode& pie) const
{
    pie.SetAttribute(L"groupname", m_groupName.c_str());
    pie.SetAttribute(L"transitionname", m_transitionName.c_str());
    pie.SetAttributeInt(L"startframe", m_startFrame);
    pie.SetAttributeInt(L"endframe", m_endFrame);
    pie.SetAttribute(L"ordering", m_ordering.c_str());
    pie.SetAttributeInt(L"enable", m_enable ? 1 : 0);
}

void CPieChartDialog::AddInitialItems()
{
    for (int id : {IDC_CHART_GROUP, IDC_CHART_TRANSITION})
        AddComboItemIfMissing(GetItem(id), kNotSelectedItem);
    for (const wchar_t* ordering : kOrderings)
        AddComboItemIfMissing(GetItem(IDC_PIE_ORDERING), ordering);
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
    ShowName(GetItem(IDC_CHART_GROUP), m_groupName);
    ShowName(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    SetControlInt(dialog, IDC_PIE_START_FRAME, m_startFrame);
    SetControlInt(dialog, IDC_PIE_END_FRAME, m_endFrame);
    SelectComboItem(GetItem(IDC_PIE_ORDERING), m_ordering);
    SetCheck(dialog, IDC_CHART_ENABLE, m_enable);
}

void CPieChartDialog::FillGroupList()
{
    RefillWithNodes(IDC_CHART_GROUP, 0, m_groupName);
}

void CPieChartDialog::FillTransitionList()
{
    RefillWithTransitions(IDC_CHART_TRANSITION, m_transitionName);
}

bool CPieChartDialog::SavesOn(int id, UINT code) const
{
    return (code == EN_CHANGE && (id == IDC_PIE_START_FRAME || id == IDC_PIE_END_FRAME)) ||
           (code == CBN_SELCHANGE && (id == IDC_CHART_GROUP || id == IDC_CHART_TRANSITION || id == IDC_PIE_ORDERING)) ||
           (code == BN_CLICKED && id == IDC_CHART_ENABLE);
}

bool CPieChartDialog::FillOnDropDown(int id)
{
    if (id == IDC_CHART_GROUP)
        FillGroupList();
    else if (id == IDC_CHART_TRANSITION)
        FillTransitionList();
    else
        return false;
    return true;
}
