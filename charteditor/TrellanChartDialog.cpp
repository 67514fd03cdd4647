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
#include "platform/ui/UserPrompts.h"

namespace {

// Line charts are the host's nodes of type 32.
const ChartElementShape kLineChart = {L"Trellan", IDC_LINE_NODE, L"nodename", 32};

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
    : CChartSettingsPage(IDD_LINE_CHART, parent, document, kLineChart)
{
    Create();
}

CTrellanChartDialog::~CTrellanChartDialog()
{
    DestroyWindow();
}

void CTrellanChartDialog::AddParamTemplates()
{
    TakeControlValues();
    if (_wcsicmp(NodeName().c_str(), kNotSelectedItem) == 0) {
        ShowMessageBox(GetSafeHwnd(), L"First select a Line Chart node");
        return;
    }
    RunTemplateImport(GetSafeHwnd(), Document() ? Document()->GetApplication() : nullptr, NodeName(),
                      NodeName() + L" Params");
}

void CTrellanChartDialog::MakeLabelKeyframes()
{
    TakeControlValues();
    try {
        CHostApplication application;
        application.Attach(Document() ? Document()->GetApplication() : nullptr);
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        if (!scene)
            return;
        std::unique_ptr<CHostTransition> transition = scene->TransitionByName(TransitionName());
        if (!transition) {
            ShowMessageBox(GetSafeHwnd(), L"Cannot find transition " + TransitionName());
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
