#include "chartcontrol/BarCharts.h"

#include <memory>

#include "chartcontrol/ChartScene.h"
#include "common/storedvalues/CNumbers.h"
#include "geometry/vantre/VantreLink.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostScene.h"

namespace {

const wchar_t kBarGuid[] = L"VantreGUID";
const wchar_t kPercentValue[] = L"PercentValue";

void UpdateIfBar(CHostScene& scene, CHostNode& node, const UpdateParams& params)
{
    std::wstring guid;
    if (ReadChartGuid(node, kBarGuid, guid))
        UpdateBarNode(scene, node.GetName(), guid, params);
}

} // namespace

void UpdateBarCharts(CHostScene& scene, const UpdateParams& params)
{
    if (!params.empty()) {
        const std::wstring* barName = FindParam(params, L"barname");
        if (!barName)
            return;
        if (std::unique_ptr<CHostNode> node = FindNodeSafe(scene, *barName))
            UpdateIfBar(scene, *node, params);
        return;
    }
    const long count = scene.GetNodeCount();
    for (long i = 0; i < count; ++i)
        if (std::unique_ptr<CHostNode> node = scene.Node(i))
            UpdateIfBar(scene, *node, params);
}

void UpdateBarNode(CHostScene& scene, const std::wstring& nodeName, const std::wstring& guid,
                   const UpdateParams& params)
{
    double value = 0;
    if (ReadPercentValue(params, scene, nodeName, L"Percent", value))
        SetDataBarValue(guid.c_str(), kPercentValue, value, 1);
}

bool ReadPercentValue(const UpdateParams& params, CHostScene& scene, const std::wstring& nodeName,
                      const std::wstring& suffix, double& value)
{
    std::wstring text;
    if (!params.empty()) {
        const std::wstring* found = FindParam(params, LowerAscii(nodeName + suffix));
        if (!found)
            return false;
        text = *found;
    } else if (!ReadTemplateText(scene, text, L"%s%s", nodeName.c_str(), suffix.c_str())) {
        return false;
    }
    double percent = 0;
    if (!ParseLeadingCDecimal(text, percent))
        return false;
    value = percent / 100;
    return true;
}
