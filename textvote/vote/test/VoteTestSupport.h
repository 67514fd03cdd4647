#pragma once
// The text-vote chart's tests: the stand-in vote service that
// run-with-votes.sh started, the FTP server of run-with-ftp.sh and a
// simulated host holding a scene with three bars and their percentages.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "textvote/ftp/test/FTPServerTestSupport.h"  // first: winsock2.h before windows.h

#include "common/logwindow/test/LogPageStandIn.h"
#include "testing/simhost/SimHostTestSupport.h"
#include "textvote/vote/VoteChart.h"

// The answer (and its HTTP status) of the vote service's next requests.
inline void AnswerVotes(const std::string& page, int status = 200)
{
    ASSERT_TRUE(WriteBytes(Setting(L"VOTE_SERVICE_ANSWER"), page));
    ASSERT_TRUE(WriteBytes(Setting(L"VOTE_SERVICE_STATUS"), std::to_string(status)));
}

inline std::string VotePage(int a, int b, int c)
{
    return "<html><body><p>A: " + std::to_string(a) + "%</p><p>B: " + std::to_string(b) + " %</p><p>C: " +
           std::to_string(c) + "%</p></body></html>";
}

// The request lines the vote service has received so far.
inline std::vector<std::string> VoteRequests()
{
    return PeerLogLines(L"VOTE_SERVICE_LOG");
}

// The scene "Votes" on the active canvas: bars BAR1..BAR4 with YScale
// keyframes 0.5 (frame 0) and 2.5 (frame 25), texts PERCENT1..PERCENT4 (a
// template and a node each) with XPos keyframes -1 and 3, and a background
// image; settings for the three first rows, the vote service and the FTP
// server; the log page.
class VoteSceneFixture : public ::testing::Test {
protected:
    static constexpr long kYScale = 7;
    static constexpr long kXPos = 0;

    VoteSceneFixture() : scene(host.AddScene(L"Votes"))
    {
        host.Canvas().currentMessage = L"Votes";
        for (int row = 1; row <= 4; ++row) {
            const std::wstring n = std::to_wstring(row);
            KeyFrames(host.AddNode(scene, L"BAR" + n, SimNodeObject)).Add(0, kYScale, 0.5, 1);
            KeyFrames(*scene.Find(L"BAR" + n)).Add(25, kYScale, 2.5, 2);
            host.AddTemplate(scene, L"PERCENT" + n, L"");
            KeyFrames(host.AddNode(scene, L"PERCENT" + n, SimNodeText3D)).Add(0, kXPos, -1, 0);
            KeyFrames(*scene.Find(L"PERCENT" + n)).Add(25, kXPos, 3, 0);
        }
        host.SetBackground(scene, L"studio.png");
        settings.url = Setting(L"VOTE_SERVICE_URL");
        settings.campaignId = L"755";
        settings.bars = {L"BAR1", L"BAR2", L"BAR3", L""};
        settings.texts = {L"PERCENT1", L"PERCENT2", L"PERCENT3", L""};
        settings.barChannels = {L"YScale", L"YScale", L"YScale", L" "};
        settings.textChannels = {L"XPos", L"XPos", L"XPos", L" "};
        settings.ftpServer = L" 127.0.0.1 ";
        settings.ftpUsername = Setting(L"FTP_PEER_USER");
        settings.ftpPassword = Setting(L"FTP_PEER_PASSWORD");
        settings.ftpFile = L"votes.jpg";
        settings.ftpEnable = 1;
    }

    static CSimKeyFrames& KeyFrames(CSimNode& node) { return *node.TransformOf(L"").keyFrames; }
    // The value of the node's keyframe at the frame on the attribute; NaN when there is none.
    double Key(const std::wstring& node, long frame, long attribute)
    {
        for (const CSimKeyFrame* key : KeyFrames(*scene.Find(node)).frames)
            if (key->frame == frame && key->attribute == attribute)
                return key->value;
        return std::nan("");
    }
    std::wstring Text(const std::wstring& name) { return scene.Template(name)->text->text; }
    CSimImage& Image() { return *scene.background->image; }

    CSimHost host;
    CSimScene& scene;
    CLogPageStandIn log;
    VoteSettings settings;
};
