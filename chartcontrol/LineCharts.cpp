#include "chartcontrol/LineCharts.h"

#include <cwctype>
#include <memory>

#include "chartcontrol/AxisLabels.h"
#include "chartcontrol/ChartScene.h"
#include "chartcontrol/ControlLog.h"
#include "chartcontrol/ProviderList.h"
#include "chartcontrol/QuoteFields.h"
#include "chartcontrol/Trellan.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostScene.h"

namespace {

enum RequestField { Symbol, Type, Interval, ProviderName, Range1, Range2, MaxDates, MaxValues, DateFormat, FieldCount };
const wchar_t* const kRequestFields[FieldCount] = {L"symbol", L"type",     L"interval",  L"provider",  L"range1",
                                                   L"range2", L"maxdates", L"maxvalues", L"dateformat"};

bool GatherFields(CHostScene& scene, const std::wstring& nodeName, const UpdateParams& params,
                  std::wstring (&fields)[FieldCount])
{
    for (int i = 0; i < FieldCount; ++i) {
        if (!params.empty()) {
            const std::wstring* value = FindParam(params, kRequestFields[i]);
            if (!value)
                return false;
            fields[i] = *value;
        } else if (!ReadTemplateText(scene, fields[i], L"%s.%s", nodeName.c_str(), kRequestFields[i])) {
            return false;
        }
    }
    return true;
}

bool IsOk(const std::wstring& status)
{
    return status.size() == 2 && std::towlower(status[0]) == L'o' && std::towlower(status[1]) == L'k';
}

// The reply's status handled; true when it was "ok" and the chart was filled.
bool ShowReply(CHostScene& scene, const std::wstring& nodeName, const std::wstring& guid, CXmlNode& reply,
               const std::wstring (&fields)[FieldCount])
{
    CXmlNodePtr response = CXmlNodePtr::Adopt(reply.FindChildAtLastSegment(L"Response", 0));
    if (!response)
        return false;
    std::wstring status;
    response->GetAttributeString(L"status", status);
    if (!IsOk(status)) {
        SetTemplateStatus(scene, nodeName, status);
        return false;
    }
    SetTemplateStatus(scene, nodeName, L" ");
    SetPoints(guid.c_str(), response.Get());
    BuildAxisLabels(scene, *response, LabelCountOf(fields[MaxDates]), LabelCountOf(fields[MaxValues]),
                    fields[DateFormat], nodeName, guid);
    SetQuoteTemplates(scene, nodeName, *response);
    SetExtraTemplates(scene, nodeName, *response);
    SetSceneGraphVisibility(scene, nodeName, *response);
    EnableLocateLabels(guid.c_str(), 1);
    SetTrellanRedraw(guid.c_str(), 1);
    return true;
}

} // namespace

void UpdateTrellanCharts(CHostScene& scene, const UpdateParams& params)
{
    if (const std::wstring* chart = FindParam(params, L"chart")) {
        // A name no node carries updates no line chart; the bars and the pie still follow.
        if (std::unique_ptr<CHostNode> node = FindNodeSafe(scene, *chart))
            UpdateTrellanNode(scene, *node, params);
        return;
    }
    const long count = scene.GetNodeCount();
    for (long i = 0; i < count; ++i)
        if (std::unique_ptr<CHostNode> node = scene.Node(i))
            UpdateTrellanNode(scene, *node, params);
}

void UpdateTrellanNode(CHostScene& scene, CHostNode& node, const UpdateParams& params)
{
    std::wstring guid;
    if (ReadChartGuid(node, L"TrellanGUID", guid))
        RequestHistoricalData(scene, node.GetName(), guid, params);
}

void RequestHistoricalData(CHostScene& scene, const std::wstring& nodeName, const std::wstring& guid,
                           const UpdateParams& params)
{
    std::wstring fields[FieldCount];
    if (!GatherFields(scene, nodeName, params, fields))
        return;
    PostLogLine(L"symbol: %s, type: %s, interval: %s, provider: %s, range1: %s, range2: %s", fields[Symbol].c_str(),
                fields[Type].c_str(), fields[Interval].c_str(), fields[ProviderName].c_str(), fields[Range1].c_str(),
                fields[Range2].c_str());
    CProviderPtr provider = FindProvider(fields[ProviderName]);
    if (!provider) {
        SetTemplateStatus(scene, nodeName, L"Invalid Provider");
        return;
    }
    CXmlNodePtr reply = provider->RequestHistorical(fields[Symbol], fields[Type], fields[Interval], fields[Range1],
                                                    fields[Range2], nodeName);
    bool shown = false;
    if (!reply)
        SetTemplateStatus(scene, nodeName, L"Provider Timeout");
    else
        shown = ShowReply(scene, nodeName, guid, *reply, fields);
    if (!shown)
        ClearQuoteTemplates(scene, nodeName);
}
