#include "textvote/vote/FixedKeyframeRanges.h"

#include <memory>

#include "hostclient/HostKeyFrames.h"
#include "hostclient/HostScene.h"

void CFixedKeyframeRanges::Remember(CHostScene& scene, const std::wstring& nodeName, const std::wstring& channelName)
{
    const long channel = KeyframeChannelCode(channelName);
    if (channel < 0 || m_ranges.count(Key(nodeName, channel)))
        return;
    std::unique_ptr<CHostKeyFrames> keys = NodeKeyFrames(scene, nodeName);
    KeyframeRange range;
    if (keys && FindKeyframeRange(*keys, channel, range))
        m_ranges.emplace(Key(nodeName, channel), range);
}

void CFixedKeyframeRanges::Apply(CHostScene& scene, const std::wstring& nodeName, double low, double high,
                                 const std::wstring& channelName)
{
    const long channel = KeyframeChannelCode(channelName);
    if (channel < 0)
        return;
    Remember(scene, nodeName, channelName);
    const auto noted = m_ranges.find(Key(nodeName, channel));
    if (noted == m_ranges.end())
        return;
    if (std::unique_ptr<CHostKeyFrames> keys = NodeKeyFrames(scene, nodeName))
        MoveKeyframeRange(*keys, channel, noted->second, low, high);
}
