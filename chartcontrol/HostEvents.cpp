#include "chartcontrol/HostEvents.h"

#include <cstring>
#include <memory>

#include "chartcontrol/ChartScene.h"
#include "chartcontrol/QuillonDoc.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/SceneHelpers.h"
#include "base/com/ComTypes.h"
#include "common/storedvalues/CNumbers.h"
#include "common/storedvalues/StorableGuid.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostObjectArray.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostTransform.h"
#include "hostclient/HostTransition.h"

namespace {

constexpr long kGuidInterpolation = 2;
constexpr long kXScaleChannel = 6;
constexpr long kYScaleChannel = 7;

struct ChartGuidKind {
    const wchar_t* property;
    long channelA;
    long channelB;
};
const ChartGuidKind kChartGuidKinds[] = {{L"TrellanGUID", 1052, 1053}, {L"VantreGUID", 1113, 1114}};

// Eight bytes of the GUID as a VT_R8 value, moved without a floating-point load.
VARIANT GuidHalf(const GUID& guid, size_t offset)
{
    VARIANT half;
    VariantInit(&half);
    half.vt = VT_R8;
    memcpy(&half.dblVal, reinterpret_cast<const BYTE*>(&guid) + offset, sizeof half.dblVal);
    return half;
}

void RenewNodeGuids(CHostNode& node, const std::vector<std::wstring>& transitions)
{
    if (node.GetType() != kChartNodeType)
        return;
    std::unique_ptr<CHostPropertyGroup> group = node.Properties(kPlotvanePropertyGroup);
    if (!group)
        return;
    for (const ChartGuidKind& kind : kChartGuidKinds) {
        std::wstring old;
        if (!group->GetValueString(kind.property, old) || old.empty())
            continue;
        GUID guid;
        std::wstring text;
        if (!NewGuidString(guid, text))
            continue;
        group->SetValueString(kind.property, text);
        RelinkGeoPluginNode(kind.channelA, kind.channelB, node, guid, transitions);
    }
}

struct ScaleKey {
    double value;
    long frame = -1;
    long interpolation = -1;
};

bool ReadInt(CXmlNode& element, const wchar_t* name, int& value)
{
    std::wstring text;
    return element.GetAttributeString(name, text) && ParseCInt(text, value);
}

void ScanScaleKeys(CHostNode& child, long channel, ScaleKey& lowest, ScaleKey& highest)
{
    std::unique_ptr<CHostKeyFrames> keys = child.GetKeyFrames();
    const long count = keys ? keys->GetCount() : 0;
    for (long i = 0; i < count; ++i) {
        std::unique_ptr<CHostKeyFrame> key = keys->KeyFrame(i);
        if (!key || key->GetAttribute() != channel)
            continue;
        const double value = key->GetValue();
        if (value <= lowest.value)
            lowest = {value, key->GetFrame(), key->GetInterpolation()};
        if (value > highest.value)
            highest = {value, key->GetFrame(), key->GetInterpolation()};
    }
}

} // namespace

bool NewGuidString(GUID& guid, std::wstring& text)
{
    if (FAILED(CreateStorableGuid(guid)))
        return false;
    text = GuidString(guid);
    return true;
}

void RelinkGeoPluginNode(long channelA, long channelB, CHostNode& node, const GUID& guid,
                         const std::vector<std::wstring>& transitionNames)
{
    const VARIANT first = GuidHalf(guid, 0), second = GuidHalf(guid, 8);
    for (const std::wstring& name : transitionNames) {
        std::unique_ptr<CHostTransform> transform = node.GetTransform(name);
        std::unique_ptr<CHostKeyFrames> keys = transform ? transform->KeyFrames() : nullptr;
        if (!keys)
            continue;
        keys->Add(0, channelA, first, kGuidInterpolation);
        keys->Add(0, channelB, second, kGuidInterpolation);
    }
}

void RenewChartGuids(CHostApplication& application)
{
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    if (!scene)
        return;
    const std::vector<std::wstring> transitions = TransitionNames(*scene);
    const long count = scene->GetNodeCount();
    for (long i = 0; i < count; ++i)
        if (std::unique_ptr<CHostNode> node = scene->Node(i))
            RenewNodeGuids(*node, transitions);
}

void CaptureBarChartRanges(CHostApplication& application)
{
    CQuillonDoc document;
    document.SetApplication(application.GetDispatch());
    document.LoadFromActiveScene();
    CXmlNodePtr bars = CXmlNodePtr::Adopt(document.GetRoot()->FindChildAtLastSegment(L"BarChart", 0));
    std::wstring group, transitionName, style, orientation;
    int enable = 0;
    if (!bars || !bars->GetAttributeString(L"groupname", group) ||
        !bars->GetAttributeString(L"transitionname", transitionName) || !bars->GetAttributeString(L"style", style) ||
        !ReadInt(*bars, L"enable", enable) || !bars->GetAttributeString(L"orientation", orientation))
        return;

    ScaleKey lowest{1000.0}, highest{-1000.0};
    if (enable != 0) {
        const long channel = orientation == L"Vertical" ? kYScaleChannel : kXScaleChannel;
        std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
        std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
        std::unique_ptr<CHostTransition> transition = scene ? scene->TransitionByName(transitionName) : nullptr;
        if (transition) {
            transition->Activate();
            if (std::unique_ptr<CHostNode> groupNode = FindNodeSafe(*scene, group)) {
                const long children = groupNode->GetChildCount();
                for (long i = 0; i < children; ++i)
                    if (std::unique_ptr<CHostNode> child = groupNode->GetChild(i))
                        ScanScaleKeys(*child, channel, lowest, highest);
            }
        }
    }
    bars->SetAttribute(L"minscale", FormatFixed8(lowest.value).c_str());
    bars->SetAttribute(L"maxscale", FormatFixed8(highest.value).c_str());
    bars->SetAttributeInt(L"minframe", lowest.frame);
    bars->SetAttributeInt(L"maxframe", highest.frame);
    bars->SetAttributeInt(L"mininterp", lowest.interpolation);
    bars->SetAttributeInt(L"maxinterp", highest.interpolation);
    document.SaveDocument();
}
