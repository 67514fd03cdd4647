#include "chartcontrol/LabelPlacement.h"

#include <memory>

#include "chartcontrol/ChartScene.h"
#include "chartcontrol/QuillonIds.h"
#include "base/com/ComTypes.h"
#include "base/text/WideFormat.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostPropertyGroup.h"
#include "hostclient/HostScene.h"

namespace {

enum PlacementChannel : long { kXPosition = 0, kYPosition = 1, kZPosition = 2, kYRotation = 4 };

void KeyframePlacement(CHostApplication& application, const std::wstring& name, double x, double y, double z,
                       double rotationY, bool nameIsSuffix)
{
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    if (!scene)
        return;
    std::wstring nodeName = name;
    if (nameIsSuffix) {
        std::unique_ptr<CHostNode> active = scene->GetActiveObject();
        if (!active)
            return;
        nodeName = FormatWide(L"%s.%s", active->GetName().c_str(), name.c_str());
    }
    std::unique_ptr<CHostNode> node = FindNodeSafe(*scene, nodeName);
    std::unique_ptr<CHostKeyFrames> keys = node ? node->GetKeyFrames() : nullptr;
    if (!keys)
        return;
    const long frame = canvas->GetFrame();
    keys->Add(frame, kXPosition, x, 0);
    keys->Add(frame, kYPosition, y, 0);
    keys->Add(frame, kZPosition, z, 0);
    keys->Add(frame, kYRotation, rotationY, 0);
}

} // namespace

void LocateLabel(CHostApplication& application, const std::wstring& name, double x, double y, double z,
                 double rotationY)
{
    KeyframePlacement(application, name, x, y, z, rotationY, false);
}

void LocateInfoLabel(CHostApplication& application, const std::wstring& suffix, double x, double y, double z,
                     double rotationY)
{
    KeyframePlacement(application, suffix, x, y, z, rotationY, true);
}

void StoreGuidOnActiveObject(CHostApplication& application, const wchar_t* property, const std::wstring& guid)
{
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    std::unique_ptr<CHostNode> active = scene ? scene->GetActiveObject() : nullptr;
    std::unique_ptr<CHostPropertyGroup> group = active ? active->Properties(kPlotvanePropertyGroup) : nullptr;
    std::wstring current;
    // The host answers "???" for a property the object does not carry: writing it would fail.
    if (!group || !group->GetValueString(property, current))
        return;
    group->SetValueString(property, guid);
}
