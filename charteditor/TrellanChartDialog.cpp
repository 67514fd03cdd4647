#include "charteditor/TrellanChartDialog.h"

#include <memory>

#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/TemplateImportSeam.h"
#include "chartcontrol/Trellan.h"
#include "charteditor/ChartEditorIds.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostException.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostTransition.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/UserPrompts.h"

namespace {

// The host node type of line-chart objects.
constexpr long kLineChartNodeType = 32;

// Every line chart (the chart text of one blank) redraws and locates its
// labels while this lives; switched off again on every way out.
class CAllChartsLocatingLabels {
public:
    CAllChartsLocatingLabels()
    {
        SetTrellanRedraw(kAllCharts, 1);
        EnableLocateLabels(kAllCharts, 1);
    }
    CAllChartsLocatingLabels(const CAllChartsLocatingLabels&) = delete;
    CAllChartsLocatingLabels& operator=(const CAllChartsLocatingLabels&) = delete;
    ~CAllChartsLocatingLabels()
    {
        SetTrellanRedraw(kAllCharts, 0);
        EnableLocateLabels(kAllCharts, 0);
    }

private:
    static constexpr const wchar_t* kAllCharts = L" ";
};

}  // namespace

CTrellanChartDialog::CTrellanChartDialog(HWND parent, CQuillonDoc* document)
    : CChartSettingsPage(IDD_LINE_CHART, parent, document, L"Trellan")
{
    SetDefaults();
    Create();
}

CTrellanChartDialog::~CTrellanChartDialog()
{
    DestroyWindow();
}

void CTrellanChartDialog::SetDefaults()
{
    m_nodeName = kNotSelectedItem;
    m_transitionName = kNotSelectedItem;
    m_enable = false;
}

void CTrellanChartDialog::ReadElement(const CXmlNode& trellan)
{
    trellan.GetAttributeString(L"nodename", m_nodeName);
    trellan.GetAttributeString(L"transitionname", m_transitionName);
    ReadFlagAttribute(trellan, L"enable", m_enable);
}

void CTrellanChartDialog::WriteElement(CXmlNode& trellan) const
{
    trellan.SetAttribute(L"nodename", m_nodeName.c_str());
    trellan.SetAttribute(L"transitionname", m_transitionName.c_str());
    trellan.SetAttributeInt(L"enable", m_enable ? 1 : 0);
}

void CTrellanChartDialog::AddInitialItems()
{
    for (int id : {IDC_LINE_NODE, IDC_CHART_TRANSITION})
        AddComboItemIfMissing(GetItem(id), kNotSelectedItem);
}

// "Redraw" is neither loaded nor saved.
void CTrellanChartDialog::ReadControls()
{
    ReadSelection(GetItem(IDC_LINE_NODE), m_nodeName);
    ReadSelection(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    m_enable = GetCheck(GetSafeHwnd(), IDC_CHART_ENABLE);
}

void CTrellanChartDialog::WriteControls()
{
    ShowName(GetItem(IDC_LINE_NODE), m_nodeName);
    ShowName(GetItem(IDC_CHART_TRANSITION), m_transitionName);
    SetCheck(GetSafeHwnd(), IDC_CHART_ENABLE, m_enable);
}

bool CTrellanChartDialog::SavesOn(int id, UINT code) const
{
    return (code == CBN_SELCHANGE && (id == IDC_CHART_TRANSITION || id == IDC_LINE_NODE)) ||
           (code == BN_CLICKED && id == IDC_CHART_ENABLE);
}

void CTrellanChartDialog::FillNodeList()
{
    RefillWithNodes(IDC_LINE_NODE, kLineChartNodeType, m_nodeName);
}

void CTrellanChartDialog::FillTransitionList()
{
    RefillWithTransitions(IDC_CHART_TRANSITION, m_transitionName);
}

bool CTrellanChartDialog::FillOnDropDown(int id)
{
    if (id == IDC_LINE_NODE)
        FillNodeList();
    else if (id == IDC_CHART_TRANSITION)
        FillTransitionList();
    else
        return false;
    return true;
}

void CTrellanChartDialog::AddParamTemplates()
{
    ReadControls();
    if (_wcsicmp(m_nodeName.c_str(), kNotSelectedItem) == 0) {
        ShowMessageBox(GetSafeHwnd(), L"First select a Line Chart node");
        return;
    }
    RunTemplateImport(GetSafeHwnd(), Document() ? Document()->GetApplication() : nullptr, m_nodeName,
                      m_nodeName + L" Params");
}

void CTrellanChartDialog::MakeLabelKeyframes()
{
    ReadControls();
    try {
        CHostApplication application;
        application.Attach(Document() ? Document()->GetApplication() : nullptr);
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        if (!scene)
            return;
        std::unique_ptr<CHostTransition> transition = scene->TransitionByName(m_transitionName);
        if (!transition) {
            ShowMessageBox(GetSafeHwnd(), L"Cannot find transition " + m_transitionName);
            return;
        }
        transition->Activate();
        CAllChartsLocatingLabels locating;
        const long frames = canvas->GetFrameCount();
        for (long frame = 0; frame < frames; ++frame)
            canvas->SetFrame(frame);
    } catch (const CHostException& error) {
        // As the class library reports an error that leaves a handler.
        ShowMessageBox(GetSafeHwnd(), error.Description(), MB_OK | MB_ICONEXCLAMATION);
    }
}

bool CTrellanChartDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED &&
        (LOWORD(wParam) == IDC_LINE_ADD_TEMPLATES || LOWORD(wParam) == IDC_LINE_LABEL_KEYFRAMES)) {
        if (LOWORD(wParam) == IDC_LINE_ADD_TEMPLATES)
            AddParamTemplates();
        else
            MakeLabelKeyframes();
        result = 0;
        return true;
    }
    return CChartSettingsPage::OnMessage(msg, wParam, lParam, result);
}
