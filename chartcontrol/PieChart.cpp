#include "chartcontrol/PieChart.h"

#include <cmath>
#include <memory>
#include <utility>

#include "chartcontrol/ChartScene.h"
#include "chartcontrol/QuillonDoc.h"
#include "common/storedvalues/CNumbers.h"
#include "base/text/WideFormat.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostText.h"
#include "hostclient/HostTransform.h"
#include "hostclient/HostTransition.h"

namespace {

constexpr long kStartAngleChannel = 1003;
constexpr long kSweepChannel = 1004;

struct PieSettings {
    std::wstring group;
    std::wstring transition;
    int startFrame = 0;
    int endFrame = 0;
    std::wstring ordering;
};

bool ReadInt(CXmlNode& element, const wchar_t* name, int& value)
{
    std::wstring text;
    return element.GetAttributeString(name, text) && ParseCInt(text, value);
}

bool ReadSettings(IDispatch* application, PieSettings& settings)
{
    CQuillonDoc document;
    document.SetApplication(application);
    document.LoadFromActiveScene();
    CXmlNodePtr pie = CXmlNodePtr::Adopt(document.GetRoot()->FindChildAtLastSegment(L"PieChart", 0));
    int enable = 0;
    return pie && pie->GetAttributeString(L"groupname", settings.group) &&
           ReadInt(*pie, L"startframe", settings.startFrame) && ReadInt(*pie, L"endframe", settings.endFrame) &&
           pie->GetAttributeString(L"transitionname", settings.transition) &&
           pie->GetAttributeString(L"ordering", settings.ordering) && ReadInt(*pie, L"enable", enable) && enable != 0;
}

std::unique_ptr<CHostKeyFrames> SliceKeyFrames(CHostNode& slice, const std::wstring& transition)
{
    std::unique_ptr<CHostTransform> transform = slice.GetTransform(transition);
    return transform ? transform->KeyFrames() : nullptr;
}

// The slice's value text: the scene's template named like the slice, else
// the first element of the node "<slice>3D"; trimmed.
std::wstring SliceText(CHostScene& scene, const std::wstring& name)
{
    std::unique_ptr<CHostElement> element = scene.GetTemplate(name);
    if (!element)
        if (std::unique_ptr<CHostNode> node = FindNodeSafe(scene, FormatWide(L"%s3D", name.c_str())))
            element = node->Element(-1);
    std::unique_ptr<CHostText> text = element ? element->GetText() : nullptr;
    return text ? TrimWhiteSpace(text->GetText()) : std::wstring();
}

} // namespace

void OrderPieSlices(std::vector<PieSlice>& slices, const std::wstring& ordering)
{
    const bool largestFirst = ordering == L"Leader First";
    if (!largestFirst && ordering != L"Leader Last")
        return;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t i = 1; i < slices.size(); ++i) {
            const bool outOfOrder = largestFirst ? slices[i - 1].value < slices[i].value
                                                 : slices[i - 1].value > slices[i].value;
            if (outOfOrder) {
                std::swap(slices[i - 1], slices[i]);
                swapped = true;
            }
        }
    }
}

double PieSliceEnd(double frame, double value, double span)
{
    // Multiplying first keeps whole percentages of whole spans exact.
    return value * span / 100 + frame;
}

long PieFrameNumber(double frame)
{
    const double nearest = std::round(frame);
    if (std::fabs(frame - nearest) <= 1e-9 * std::fmax(1.0, std::fabs(frame)))
        return static_cast<long>(nearest);
    return static_cast<long>(std::trunc(frame));
}

void UpdatePieCharts(CHostApplication& application)
{
    PieSettings settings;
    if (!ReadSettings(application.GetDispatch(), settings))
        return;
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    if (!scene || !scene->TransitionByName(settings.transition))
        return;
    std::unique_ptr<CHostNode> group = FindNodeSafe(*scene, settings.group);
    if (!group)
        return;

    std::vector<PieSlice> slices;
    const long children = group->GetChildCount();
    for (long i = 0; i < children; ++i) {
        std::unique_ptr<CHostNode> child = group->GetChild(i);
        if (!child)
            continue;
        if (std::unique_ptr<CHostKeyFrames> keys = SliceKeyFrames(*child, settings.transition)) {
            keys->DeleteTrack(kStartAngleChannel);
            keys->DeleteTrack(kSweepChannel);
            keys->Add(0, kStartAngleChannel, 0.0, 0);
            keys->Add(0, kSweepChannel, 0.0, 0);
        }
        const std::wstring name = child->GetName();
        const std::wstring text = SliceText(*scene, name);
        double value = 0;
        if (!text.empty() && slices.size() < kMaxPieSlices && ParseLeadingCDecimal(text, value))
            slices.push_back({name, value});
    }
    if (slices.empty())
        return;
    OrderPieSlices(slices, settings.ordering);

    const double span = static_cast<double>(settings.endFrame) - settings.startFrame;
    double frame = settings.startFrame, angle = 0;
    for (const PieSlice& slice : slices) {
        std::unique_ptr<CHostNode> node = FindNodeSafe(*scene, slice.name);
        if (!node)
            continue;
        const double end = PieSliceEnd(frame, slice.value, span);
        const double sweep = slice.value * 360 / 100;
        if (std::unique_ptr<CHostKeyFrames> keys = SliceKeyFrames(*node, settings.transition)) {
            keys->Add(PieFrameNumber(frame), kStartAngleChannel, angle, 0);
            keys->Add(PieFrameNumber(frame), kSweepChannel, 0.0, 0);
            keys->Add(PieFrameNumber(end), kSweepChannel, sweep, 0);
        }
        angle += sweep;
        frame = end;
    }
}
