#include "charteditor/ParameterTemplates.h"

#include <memory>

#include "chartcontrol/AxisLabels.h"
#include "chartcontrol/ChartScene.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/SceneHelpers.h"
#include "chartcontrol/Trellan.h"
#include "charteditor/ParameterTemplatesIds.h"
#include "base/text/WideFormat.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostFrameBuffer.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostTransform.h"
#include "hostclient/HostVersion.h"

namespace {

constexpr wchar_t kPlaceholder[] = L"<LC>";
constexpr long kLastOlderBuild = 1431;

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to)
{
    for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// Writes the template for the host's build to a new temporary file, opens it
// into the host and shows the scene again. False when nothing was opened.
bool OpenTemplateScene(CHostApplication& application, CHostScene& scene)
{
    std::wstring path;
    if (!MakeTempFileName(path, L"lno"))
        return false;
    const CTemporaryFile file(path);  // gone on every way out, a failed Open included
    std::unique_ptr<CHostVersion> version = application.Version();
    const UINT resource = TemplateResourceForBuild(version ? version->GetBuild() : 0);
    if (!ExtractBinaryResource(file.Path(), resource))
        return false;
    application.Open(file.Path());
    if (std::unique_ptr<CHostFrameBuffer> frameBuffer = scene.GetFrameBuffer())
        frameBuffer->SelectScene(scene);
    return true;
}

std::wstring ChartGuid(CHostScene& scene, const std::wstring& chartName)
{
    std::unique_ptr<CHostNode> chart = FindNodeSafe(scene, chartName);
    std::unique_ptr<CHostPropertyGroup> properties = chart ? chart->Properties(kPlotvanePropertyGroup) : nullptr;
    std::wstring guid;
    if (!properties || !properties->GetValueString(L"TrellanGUID", guid))
        guid.clear();
    return guid;
}

void RenamePlaceholderNodes(CHostScene& scene, const std::wstring& chartName)
{
    const long count = scene.GetNodeCount();
    for (long i = 0; i < count; ++i) {
        std::unique_ptr<CHostNode> node = scene.Node(i);
        const std::wstring name = node ? node->GetName() : std::wstring();
        if (name.find(kPlaceholder) != std::wstring::npos)
            node->SetName(ReplaceAll(name, kPlaceholder, chartName));
    }
}

// "LC.symbol" becomes "<chart>.symbol"; a name without a dot stays.
void RenameParameterElements(CHostScene& scene, const std::wstring& chartName)
{
    std::unique_ptr<CHostNode> params = FindNodeSafe(scene, FormatWide(L"%s Params", chartName.c_str()));
    if (!params)
        return;
    const long count = params->GetElementCount();
    for (long i = 0; i < count; ++i) {
        std::unique_ptr<CHostElement> element = params->Element(i);
        const std::wstring name = element ? element->GetName() : std::wstring();
        const size_t dot = name.find(L'.');
        if (dot != std::wstring::npos)
            element->SetName(chartName + name.substr(dot));
    }
}

void JoinTemplateGroup(CHostScene& scene, const std::wstring& chartName)
{
    std::unique_ptr<CHostNode> nodes = FindNodeSafe(scene, FormatWide(L"%s Nodes", chartName.c_str()));
    std::unique_ptr<CHostNode> first = nodes ? nodes->GetChild(0) : nullptr;
    std::unique_ptr<CHostGroup> group = first ? first->GetGroup() : nullptr;
    if (group)
        group->AddNode(chartName);
}

} // namespace

UINT TemplateResourceForBuild(long build)
{
    return build > kLastOlderBuild ? IDR_TEMPLATES_LATER_BUILDS : IDR_TEMPLATES_UP_TO_1431;
}

void ImportParameterTemplates(CHostApplication& application, const std::wstring& chartName)
{
    if (chartName.empty())
        return;  // every "<LC>" would vanish from the names
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    if (!scene)
        return;
    std::unique_ptr<CHostNode> selected = scene->GetActiveObject();
    if (selected)
        selected->SetName(chartName);
    selected.reset();
    if (!OpenTemplateScene(application, *scene))
        return;

    const std::wstring guid = ChartGuid(*scene, chartName);
    RenamePlaceholderNodes(*scene, chartName);
    RenameParameterElements(*scene, chartName);
    // Without a node of that name the host would refuse the group's AddNode.
    if (FindNodeSafe(*scene, chartName))
        JoinTemplateGroup(*scene, chartName);
    EnableLocateLabels(guid.c_str(), 1);
    RegisterTemplateLabels(*scene, chartName, guid);
    RedrawTrellan(guid);
}
