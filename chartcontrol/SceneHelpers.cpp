#include "chartcontrol/SceneHelpers.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <memory>

#include "chartcontrol/ChartScene.h"
#include "base/text/WideFormat.h"
#include "common/toolbar/MagentaKeyedImageList.h"
#include "base/win/UniqueHandle.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostCanvas.h"
#include "hostclient/HostElement.h"
#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostNode.h"
#include "hostclient/HostObjectArray.h"
#include "hostclient/HostScene.h"
#include "hostclient/HostText.h"
#include "hostclient/HostTransition.h"
#include "platform/ui/Module.h"
#include "platform/ui/UserPrompts.h"

namespace {

struct KeyframeChannel {
    const wchar_t* name;
    long channel;
};
const KeyframeChannel kKeyframeChannels[] = {{L"XPos", 0}, {L"YPos", 1}, {L"XScale", 6}, {L"YScale", 7}};

} // namespace

bool MakeTempFileName(std::wstring& path, const std::wstring& extension)
{
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t placeholder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"MVT", 0, placeholder) == 0)
        return false;
    DeleteFileW(placeholder);
    std::wstring name = placeholder;
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > name.find_last_of(L"\\/"))
        name.erase(dot);
    path = name + (extension.compare(0, 1, L".") == 0 ? L"" : L".") + extension;
    return true;
}

bool ExtractBinaryResource(const std::wstring& path, UINT resourceId)
{
    const HINSTANCE module = CurrentModule();
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"BINARY");
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    if (!bytes || size == 0) {
        ShowMessageBox(nullptr, FormatWide(L"Error extracting %s", path.c_str()));
        return false;
    }
    UniqueStdioFile file(_wfopen(path.c_str(), L"wb"));
    if (!file) {
        ShowMessageBox(nullptr, FormatWide(L"Cannot create file %s", path.c_str()));
        return false;
    }
    const size_t written = fwrite(bytes, 1, size, file.Get());
    const bool closed = fclose(file.Detach()) == 0;
    if (written != size || !closed) {
        ShowMessageBox(nullptr, FormatWide(L"Error writing %s, check that there is enough disk space", path.c_str()));
        return false;
    }
    return true;
}

long KeyframeChannelCode(const std::wstring& channelName)
{
    for (const KeyframeChannel& known : kKeyframeChannels)
        if (_wcsicmp(known.name, channelName.c_str()) == 0)
            return known.channel;
    return -1;
}

std::unique_ptr<CHostKeyFrames> NodeKeyFrames(CHostScene& scene, const std::wstring& nodeName)
{
    std::unique_ptr<CHostNode> node = FindNodeSafe(scene, nodeName);
    return node ? node->GetKeyFrames() : nullptr;
}

bool FindKeyframeRange(CHostKeyFrames& keys, long channel, KeyframeRange& range)
{
    bool found = false;
    const long count = keys.GetCount();
    for (long i = 0; i < count; ++i) {
        std::unique_ptr<CHostKeyFrame> key = keys.KeyFrame(i);
        if (!key || key->GetAttribute() != channel)
            continue;
        const double value = key->GetValue();
        const KeyframePoint point{key->GetFrame(), value, key->GetInterpolation()};
        if (!found || value <= range.lowest.value)
            range.lowest = point;
        if (!found || value > range.highest.value)
            range.highest = point;
        found = true;
    }
    return found;
}

void MoveKeyframeRange(CHostKeyFrames& keys, long channel, const KeyframeRange& range, double low, double high)
{
    const double span = range.highest.value - range.lowest.value;
    keys.Add(range.highest.frame, channel, range.lowest.value + span * high, range.highest.interpolation);
    keys.Add(range.lowest.frame, channel, range.lowest.value + span * low, range.lowest.interpolation);
}

void SetKeyframeRange(CHostScene& scene, const std::wstring& nodeName, double low, double high,
                      const std::wstring& channelName)
{
    const long channel = KeyframeChannelCode(channelName);
    if (channel < 0)
        return;
    std::unique_ptr<CHostKeyFrames> keys = NodeKeyFrames(scene, nodeName);
    KeyframeRange range;
    if (keys && FindKeyframeRange(*keys, channel, range))
        MoveKeyframeRange(*keys, channel, range, low, high);
}

void SetNodeText(CHostScene& scene, const std::wstring& templateName, const std::wstring& text)
{
    std::unique_ptr<CHostElement> element = scene.GetTemplate(templateName);
    std::unique_ptr<CHostText> textObject = element ? element->GetText() : nullptr;
    if (textObject)
        textObject->SetText(text);
}

std::wstring FormatPercent(double value)
{
    const double rounded = std::trunc(value + 0.5);
    // Out of the integer range a percentage means nothing; hold it at the ends.
    const int whole = std::isnan(rounded) ? 0 : rounded >= INT_MAX ? INT_MAX : rounded <= INT_MIN ? INT_MIN
                                                                                           : static_cast<int>(rounded);
    return FormatWide(L"%d %%", whole);
}

bool LoadImageListFromBitmap(UINT resourceId, HIMAGELIST& list, int cx, int cy, int grow, COLORREF colour)
{
    UniqueImageList images = LoadMagentaKeyedImageList(resourceId, cx, cy, grow, colour);
    if (!images)
        return false;
    list = images.Detach();
    return true;
}

void ListNodesOfType(CHostApplication& application, long type, std::vector<std::wstring>& names)
{
    std::unique_ptr<CHostCanvas> canvas = application.GetActiveCanvas();
    std::unique_ptr<CHostScene> scene = canvas ? canvas->GetScene() : nullptr;
    if (!scene)
        return;
    const long count = scene->GetNodeCount();
    for (long i = 0; i < count; ++i)
        if (std::unique_ptr<CHostNode> node = scene->Node(i))
            if (node->GetType() == type)
                names.push_back(node->GetName());
}

std::vector<std::wstring> TransitionNames(CHostScene& scene)
{
    ScopedVariant list;
    scene.Transitions(list);
    std::vector<std::wstring> names;
    for (RefPtr<IDispatch>& object : HostObjectsOf(*list.Get())) {
        CHostTransition transition;
        transition.Attach(object.Detach());
        names.push_back(transition.GetName());
    }
    return names;
}
