#include "charteditor/BarChartDialog.h"

#include "charteditor/ChartEditorIds.h"
#include "platform/ui/DataExchange.h"

namespace {

const wchar_t kIndividual[] = L"Individual";
const wchar_t kVertical[] = L"Vertical";
const wchar_t* const kStyles[] = {L"Stacked", kIndividual};
const wchar_t* const kOrientations[] = {L"Horizontal", kVertical};

}  // namespace

CBarChartDialog::CBarChartDialog(HWND parent, CQuillonDoc* document)
    : CChartSettingsPage(IDD_BAR_CHART, parent, document, L"BarChart")
{
    SetDefaults();
    Create();
}

CBarChartDialog::~CBarChartDialog()
{
    DestroyWindow();
}

void CBarChartDialog::SetDefaults()
{
    m_groupName = kNotSelectedItem;
    m_transitionName = kNotSelectedItem;
    m_style = kIndividual;
    m_orientation = kVertical;
    m_chainToPrevious = false;
    m_enable = false;
}

// A stored style or orientation the lists lack is kept as it is: the chart
// update reads every orientation but "Vertical" as lying bars.
void CBarChartDialog::ReadElement(const CXmlNode& bar)
{
    bar.GetAttributeString(L"groupname", m_groupName);
    bar.GetAttributeString(L"transitionname", m_transitionName);
    bar.GetAttributeString(L"style", m_style);
    bar.GetAttributeString(L"orientation", m_orientation);
    ReadFlagAttribute(bar, L"chaintoprevious", m_chainToPrevious);
    ReadFlagAttribute(bar, L"enable", m_enable);
}

void CBarChartDialog::WriteElement(CXmlNode& bar) const
{
    bar.SetAttribute(L"groupname", m_groupName.c_str());
    bar.SetAttribute(L"transitionname", m_transitionName.c_str());
    bar.SetAttribute(L"style", m_style.c_str());
    bar.SetAttribute(L"orientation", m_orientation.c_str());
    bar.SetAttributeInt(L"chaintoprevious", m_chainToPrevious ? 1 : 0);
    bar.SetAttributeInt(L"enable", m_enable ? 1 : 0);
}

void CBarChartDialog::AddInitialItems()
{
    for (int id : {IDC_CHART_GROUP, IDC_CHART_TRANSITION})
        AddComboItemIfMissing(GetItem(id), kNotSelectedItem);
    for (const wchar_t* style : kStyles)
        AddComboItemIfMissing(GetItem(IDC_BAR_STYLE), style);
    for (const wchar_t* orientation : kOrientations)
        AddComboItemIfMissing(GetItem(IDC_BAR_ORIENTATION), orientation);
}

void CBarChartDialog::ReadControls()
{
    const HWND dialog = GetSafeHwnd();
    ReadSelection(GetItem(IDC_CHART_GROUP), m_groupName);
    ReadSelection(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    ReadSelection(GetItem(IDC_BAR_STYLE), m_style);
    ReadSelection(GetItem(IDC_BAR_ORIENTATION), m_orientation);
    m_chainToPrevious = GetCheck(dialog, IDC_BAR_CHAIN);
    m_enable = GetCheck(dialog, IDC_CHART_ENABLE);
}

void CBarChartDialog::WriteControls()
{
    const HWND dialog = GetSafeHwnd();
    ShowName(GetItem(IDC_CHART_GROUP), m_groupName);
    ShowName(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    SelectComboItem(GetItem(IDC_BAR_STYLE), m_style);
    SelectComboItem(GetItem(IDC_BAR_ORIENTATION), m_orientation);
    SetCheck(dialog, IDC_BAR_CHAIN, m_chainToPrevious);
    SetCheck(dialog, IDC_CHART_ENABLE, m_enable);
}

void CBarChartDialog::FillGroupList()
{
    RefillWithNodes(IDC_CHART_GROUP, 0, m_groupName);
}

void CBarChartDialog::FillTransitionList()
{
    RefillWithTransitions(IDC_CHART_TRANSITION, m_transitionName);
}

bool CBarChartDialog::SavesOn(int id, UINT code) const
{
    return (code == CBN_SELCHANGE && (id == IDC_BAR_ORIENTATION || id == IDC_BAR_STYLE ||
                                      id == IDC_CHART_TRANSITION || id == IDC_CHART_GROUP)) ||
           (code == BN_CLICKED && (id == IDC_BAR_CHAIN || id == IDC_CHART_ENABLE));
}

bool CBarChartDialog::FillOnDropDown(int id)
{
    if (id == IDC_CHART_GROUP)
        FillGroupList();
    else if (id == IDC_CHART_TRANSITION)
        FillTransitionList();
    else
        return false;
    return true;
}
