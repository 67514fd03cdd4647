#include "chartcontrol/ChartCommands.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chartcontrol/AxisLabels.h"
#include "chartcontrol/AxisLabelsDialog.h"
#include "chartcontrol/ChartScene.h"
#include "chartcontrol/SceneHelpers.h"
#include "chartcontrol/TemplateImportSeam.h"
#include "chartcontrol/Trellan.h"
#include "base/text/WideFormat.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostSelection.h"
#include "hostclient/HostText.h"
#include "hostclient/HostTransform.h"
#include "platform/ui/UserPrompts.h"

namespace {

constexpr long kText3DNodeType = 24;
// The initial count looks at labels 1 to 11; the last one is not counted.
constexpr int kCountedLabels = 11;

// The selected object of the active scene, which the commands take for the chart.
struct ActiveChart {
    std::unique_ptr<CHostCanvas> canvas;
    std::unique_ptr<CHostScene> scene;
    std::unique_ptr<CHostNode> node;
    std::wstring name;
};

bool FindActiveChart(CHostApplication& application, ActiveChart& chart)
{
    chart.canvas = application.GetActiveCanvas();
    chart.scene = chart.canvas ? chart.canvas->GetScene() : nullptr;
    chart.node = chart.scene ? chart.scene->GetActiveObject() : nullptr;
    if (!chart.node)
        return false;
    chart.name = chart.node->GetName();
    return true;
}

std::wstring LabelName(const std::wstring& chart, wchar_t letter, int number)
{
    return FormatWide(L"%s.%c%d", chart.c_str(), letter, number);
}

std::wstring FirstText(CHostNode& node)
{
    std::unique_ptr<CHostElement> element = node.Element(-1);
    std::unique_ptr<CHostText> text = element ? element->GetText() : nullptr;
    return text ? text->GetText() : std::wstring();
}

bool IsLabelOf(const std::wstring& chart, const std::wstring& name)
{
    for (wchar_t letter : {L'x', L'y'})
        for (int n = 1; n <= kMaxAxisLabels; ++n)
            if (name == LabelName(chart, letter, n))
                return true;
    return false;
}

void ReplaceLabels(ActiveChart& chart, LabelAxis axis, const std::wstring& pattern,
                   int count, const std::vector<std::wstring>& existing)
{
    CHostScene& scene = *chart.scene;
    const wchar_t letter = axis == LabelAxis::Dates ? L'x' : L'y';
    // The old labels' group and texts are read before they are deleted.
    std::unique_ptr<CHostGroup> group;
    std::map<std::wstring, std::wstring> oldTexts;
    for (const std::wstring& name : existing) {
        std::unique_ptr<CHostNode> node = FindNodeSafe(scene, name);
        if (!node)
            continue;
        if (oldTexts.empty())
            group = node->GetGroup();
        scene.Select(name, false, !oldTexts.empty(), false);
        oldTexts[name] = FirstText(*node);
    }
    std::unique_ptr<CHostSelection> selection = chart.canvas->GetSelection();
    if (!selection)
        return;
    if (!oldTexts.empty())
        selection->Execute(L"Delete Object(s)");

    scene.Select(pattern, false, false, false);
    selection->Execute(L"Copy");
    for (int n = 1; n <= count; ++n) {
        selection->Execute(L"Paste");
        std::unique_ptr<CHostNode> pasted = scene.GetActiveObject();
        if (!pasted)
            continue;
        const std::wstring name = LabelName(chart.name, letter, n);
        pasted->SetName(name);
        if (group)
            group->AddNode(name);
        if (std::unique_ptr<CHostElement> element = pasted->Element(-1)) {
            element->SetJustificationX(axis == LabelAxis::Dates ? 1 : 4);
            element->SetJustificationY(axis == LabelAxis::Dates ? 1 : 2);
            const auto old = oldTexts.find(name);
            std::unique_ptr<CHostText> text = old != oldTexts.end() ? element->GetText() : nullptr;
            if (text)
                text->SetText(old->second);
        }
    }

    scene.Select(chart.name, false, false, false);
    std::wstring guid;
    if (ReadChartGuid(*chart.node, L"TrellanGUID", guid)) {
        EnableLocateLabels(guid.c_str(), 1);
        RegisterTemplateLabels(scene, chart.name, guid);
        RedrawTrellan(guid);
    }
}

} // namespace

void AddAxisLabels(CHostApplication& application, LabelAxis axis, HWND parent)
{
    std::vector<std::wstring> textNodes;
    ListNodesOfType(application, kText3DNodeType, textNodes);
    if (textNodes.empty()) {
        ShowMessageBox(parent, L"No 3D templates found for pattern");
        return;
    }
    ActiveChart chart;
    if (!FindActiveChart(application, chart))
        return;
    const wchar_t letter = axis == LabelAxis::Dates ? L'x' : L'y';
    // The labels are found by name: they may sit in a group of their own.
    std::vector<std::wstring> existing;
    int counted = 0;
    for (int n = 1; n <= kMaxAxisLabels; ++n) {
        const std::wstring name = LabelName(chart.name, letter, n);
        std::unique_ptr<CHostNode> label = FindNodeSafe(*chart.scene, name);
        if (label && label->GetType() == kText3DNodeType) {
            existing.push_back(name);
            counted += n <= kCountedLabels ? 1 : 0;
        }
    }
    // The chart's own labels are no templates: they are deleted before the copy.
    std::vector<std::wstring> templates;
    for (const std::wstring& name : textNodes)
        if (!IsLabelOf(chart.name, name))
            templates.push_back(name);
    if (templates.empty()) {
        ShowMessageBox(parent, L"No 3D templates found for pattern");
        return;
    }
    const std::wstring proposed = FormatWide(L"%s.%c Pattern", chart.name.c_str(), axis == LabelAxis::Dates ? L'X' : L'Y');
    const bool offered = std::find(templates.begin(), templates.end(), proposed) != templates.end();
    CAddAxisLabelsDialog dialog(parent, axis == LabelAxis::Dates ? L"X Axis Labels" : L"Y Axis Labels", templates,
                                offered ? proposed : templates.front(), counted > 0 ? counted : 4);
    if (dialog.DoModal() != IDOK)
        return;
    ReplaceLabels(chart, axis, dialog.Template(), dialog.Count(), existing);
}

void MakeGroup(CHostApplication& application, HWND parent)
{
    ActiveChart chart;
    if (!FindActiveChart(application, chart))
        return;
    if (RunTemplateImport(parent, application.GetDispatch(), chart.name, FormatWide(L"%s Params", chart.name.c_str())))
        chart.scene->Select(chart.name, false, false, false);
}

void MakeLabelKeyframes(CHostApplication& application)
{
    ActiveChart chart;
    if (!FindActiveChart(application, chart))
        return;
    std::wstring guid;
    if (!ReadChartGuid(*chart.node, L"TrellanGUID", guid))
        return;
    const long frames = chart.canvas->GetFrameCount();
    for (long frame = 0; frame <= frames; ++frame) {
        chart.canvas->SetFrame(frame);
        SetTrellanRedraw(guid.c_str(), 1);
        EnableLocateLabels(guid.c_str(), 1);
        chart.canvas->Update();
    }
}
