#pragma once
// What the text-vote page's controls hold: the vote service, the nodes it
// animates, the image and where it is uploaded.

#include <array>
#include <string>

constexpr size_t kVoteRowCount = 4;

struct VoteSettings {
    std::wstring url;
    std::wstring campaignId;
    std::array<std::wstring, kVoteRowCount> bars;          // node names; empty: no bar
    std::array<std::wstring, kVoteRowCount> texts;         // template names; empty: no text
    std::array<std::wstring, kVoteRowCount> barChannels;   // " ": no keyframes move
    std::array<std::wstring, kVoteRowCount> textChannels;
    int bar4IsMax = 0;  // 1: bar 4 follows the largest of bars 1-3
    std::wstring ftpServer;
    std::wstring ftpUsername;
    std::wstring ftpPassword;
    std::wstring ftpFile;
    int ftpEnable = 0;  // 1: render and upload after each update
    int imageWidth = 400;
    int imageHeight = 300;
};
