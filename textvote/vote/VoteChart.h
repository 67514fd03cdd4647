#pragma once
// The text-vote chart without its page: Start notes the scene and the
// keyframe ranges, each tick polls the vote service and, on the first tick
// and whenever a percentage changed, animates the bars and texts, renders
// the scene's background image and uploads it. Everything runs on the
// thread of the page that owns it (the host's user-interface thread).

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <map>
#include <string>

#include "textvote/vote/FixedKeyframeRanges.h"
#include "textvote/vote/VoteItems.h"
#include "textvote/vote/VoteSettings.h"

class CHostCanvas;
class CHostScene;

// Where the rendered image is saved before its upload.
extern const wchar_t kVoteImagePath[];

class CVoteChart {
public:
    // `application` gives the host application (not owned) and
    // `readSettings` the page's settings as they stand now; each step asks
    // again, so edits made while running count at once.
    using ApplicationSource = std::function<IDispatch*()>;
    using SettingsReader = std::function<VoteSettings()>;
    CVoteChart(ApplicationSource application, SettingsReader readSettings);

    // Notes `now` as the start time, the active canvas's current message as
    // the scene, and zeroes every value. The keyframe ranges of the named
    // nodes are noted the first time this chart meets them in a scene and
    // kept across Stop and Start, so a restart does not begin from the range
    // the last update left. False, with nothing changed, when the host has
    // no active canvas (or fails).
    bool Start(const SYSTEMTIME& now);
    // Polls; the first tick after Start, and any whose values differ from the
    // shown ones, updates the scene.
    void Tick();

    // The statistics page into the current values; a failed download keeps them.
    void Poll();
    // Animates the nodes from the shown to the current values and, with the
    // upload on, renders and uploads the image. Nothing changes (and the
    // shown values stay) when the scene cannot be reached.
    void UpdateScene();

    const VoteValues& Current() const { return m_current; }
    const VoteValues& Shown() const { return m_shown; }
    const std::wstring& SceneName() const { return m_sceneName; }
    // The FTP server's port: 21, unless a test or the demo points it elsewhere.
    void SetFtpPort(unsigned short port) { m_ftpPort = port; }
    void SetReverseSort(bool reverse) { m_reverseSort = reverse; }

private:
    void RenderAndUpload(CHostCanvas& canvas, CHostScene& scene, const VoteSettings& settings);

    ApplicationSource m_application;
    SettingsReader m_readSettings;
    std::wstring m_sceneName;
    SYSTEMTIME m_start{};
    bool m_reverseSort = false;
    VoteValues m_shown{};
    VoteValues m_current{};
    bool m_firstPoll = false;
    std::map<std::wstring, CFixedKeyframeRanges> m_rangesByScene;
    unsigned short m_ftpPort = 21;
};
