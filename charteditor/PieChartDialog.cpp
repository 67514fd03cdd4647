#include "charteditor/PieChartDialog.h"

#include "charteditor/ChartEditorIds.h"
#include "platform/ui/DataExchange.h"

namespace {

const ChartElementShape kPieChart = {L"PieChart", IDC_CHART_GROUP, L"groupname", 0};
const wchar_t kLeaderFirst[] = L"Leader First";
const wchar_t* const kOrderings[] = {kLeaderFirst, L"Leader Last", L"None"};

}  // namespace

CPieChartDialog::CPieChartDialog(HWND parent, CQuillonDoc* document)
    : CChartSettingsPage(IDD_PIE_CHART, parent, document, kPieChart)
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
    m_startFrame = 0;
    m_endFrame = 0;
    m_ordering = kLeaderFirst;
}

void CPieChartDialog::ReadElement(const CXmlNode& pie)
{
    ReadIntAttribute(pie, L"startframe", m_startFrame);
    ReadIntAttribute(pie, L"endframe", m_endFrame);
    if (!pie.GetAttributeString(L"ordering", m_ordering) || m_ordering.empty())
        m_ordering = kLeaderFirst;
}

void CPieChartDialog::WriteElement(CXmlNode& pie) const
{
    pie.SetAttributeInt(L"startframe", m_startFrame);
    pie.SetAttributeInt(L"endframe", m_endFrame);
    pie.SetAttribute(L"ordering", m_ordering.c_str());
}

void CPieChartDialog::AddInitialItems()
{
    for (const wchar_t* ordering : kOrderings)
        AddComboItemIfMissing(GetItem(IDC_PIE_ORDERING), ordering);
}

void CPieChartDialog::ReadControls()
{
    GetControlInt(GetSafeHwnd(), IDC_PIE_START_FRAME, m_startFrame);
    GetControlInt(GetSafeHwnd(), IDC_PIE_END_FRAME, m_endFrame);
    ReadSelection(GetItem(IDC_PIE_ORDERING), m_ordering);
}

void CPieChartDialog::WriteControls()
{
    SetControlInt(GetSafeHwnd(), IDC_PIE_START_FRAME, m_startFrame);
    SetControlInt(GetSafeHwnd(), IDC_PIE_END_FRAME, m_endFrame);
    SelectComboItem(GetItem(IDC_PIE_ORDERING), m_ordering);
}

bool CPieChartDialog::SavesOn(int id, UINT code) const
{
    return (code == EN_CHANGE && (id == IDC_PIE_START_FRAME || id == IDC_PIE_END_FRAME)) ||
           (code == CBN_SELCHANGE && id == IDC_PIE_ORDERING);
}
