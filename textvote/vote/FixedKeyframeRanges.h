#pragma once
// The lowest and highest keyframes each animated node had on its channel
// when polling started. Every update maps its old and new fractions into
// that range, so the range never shrinks from update to update and a falling
// value never swaps which keyframe is the low one.

#include <map>
#include <string>
#include <utility>

#include "chartcontrol/SceneHelpers.h"

class CHostScene;

class CFixedKeyframeRanges {
public:
    // Notes the node's range on the channel ("XPos", "YPos", "XScale" or
    // "YScale", in any case) unless it is noted already; nothing for another
    // channel name, a missing node or a channel without keyframes.
    void Remember(CHostScene& scene, const std::wstring& nodeName, const std::wstring& channelName);
    // The noted lowest keyframe's frame gets min + (max - min) * low, the
    // highest's min + (max - min) * high. A node first met here is noted
    // first.
    void Apply(CHostScene& scene, const std::wstring& nodeName, double low, double high,
               const std::wstring& channelName);

private:
    using Key = std::pair<std::wstring, long>;
    std::map<Key, KeyframeRange> m_ranges;
};
