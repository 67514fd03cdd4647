#include "charteditor/BarChartDialog.h"

#include "charteditor/ChartEditorIds.h"
#include "platform/ui/DataExchange.h"

namespace {

const ChartElementShape kBarChart = {L"BarChart", IDC_CHART_GROUP, L"groupname", 0};
const wchar_t kIndividual[] = L"Individual";
const wchar_t kVertical[] = L"Vertical";
const wchar_t* const kStyles[] = {L"Stacked", kIndividual};
const wchar_t* const kOrientations[] = {L"Horizontal", kVertical};

}  // namespace

CBarChartDialog::CBarChartDialog(HWND parent, CQuillonDoc* document)
    : CChartSettingsPage(IDD_BAR_CHART, parent, document, kBarChart)
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
    m_style = kIndividual;
    m_orientation = kVertical;
    m_chainToPrevious = false;
}

// A stored style or orientation the lists lack is kept as it is: the chart
// update reads every orientation but "Vertical" as lying bars.
void CBarChartDialog::ReadElement(const CXmlNode& bar)
{
    bar.GetAttributeString(L"style", m_style);
    bar.GetAttributeString(L"orientation", m_orientation);
    ReadFlagAttribute(bar, L"chaintoprevious", m_chainToPrevious);
}

void CBarChartDialog::WriteElement(CXmlNode& bar) const
{
    bar.SetAttribute(L"style", m_style.c_str());
    bar.SetAttribute(L"orientation", m_orientation.c_str());
    bar.SetAttributeInt(L"chaintoprevious", m_chainToPrevious ? 1 : 0);
}

void CBarChartDialog::AddInitialItems()
{
    for (const wchar_t* style : kStyles)
        AddComboItemIfMissing(GetItem(IDC_BAR_STYLE), style);
    for (const wchar_t* orientation : kOrientations)
        AddComboItemIfMissing(GetItem(IDC_BAR_ORIENTATION), orientation);
}

void CBarChartDialog::ReadControls()
{
    ReadSelection(GetItem(IDC_BAR_STYLE), m_style);
    ReadSelection(GetItem(IDC_BAR_ORIENTATION), m_orientation);
    m_chainToPrevious = GetCheck(GetSafeHwnd(), IDC_BAR_CHAIN);
}

void CBarChartDialog::WriteControls()
{
    SelectComboItem(GetItem(IDC_BAR_STYLE), m_style);
    SelectComboItem(GetItem(IDC_BAR_ORIENTATION), m_orientation);
    SetCheck(GetSafeHwnd(), IDC_BAR_CHAIN, m_chainToPrevious);
}

bool CBarChartDialog::SavesOn(int id, UINT code) const
{
    return (code == CBN_SELCHANGE && (id == IDC_BAR_ORIENTATION || id == IDC_BAR_STYLE)) ||
           (code == BN_CLICKED && id == IDC_BAR_CHAIN);
}
