#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/providerwire/ProviderFrameCutter.h"

namespace {

std::vector<std::string> Feed(CProviderFrameCutter& cutter, const std::vector<std::string>& chunks)
{
    std::vector<std::string> payloads;
    for (const std::string& chunk : chunks) {
        cutter.Append(chunk.data(), chunk.size());
        std::string payload;
        while (cutter.NextPayload(payload))
            payloads.push_back(payload);
    }
    return payloads;
}

TEST(ProviderFrameCutterTest, CutsFramesAsTheyComplete)
{
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        std::vector<std::string> payloads;
    };
    const Case cases[] = {
        {"one frame", {"<0041>"}, {"0041"}},
        {"in pieces", {"<00", "4", "1>"}, {"0041"}},
        {"two in one receive", {"<0041><0042>"}, {"0041", "0042"}},
        {"junk before the frame", {"\r\nxx<0041>"}, {"0041"}},
        {"junk between frames", {"<0041>zz<0042>"}, {"0041", "0042"}},
        {"junk alone is dropped", {"abc", "<0041>"}, {"0041"}},
        {"a > before any < is junk", {">", "<0041>"}, {"0041"}},
        {"empty payload", {"<>"}, {""}},
        {"second < inside an open frame is payload", {"<00<41>"}, {"00<41"}},
        {"open frame waits", {"<0041"}, {}},
        {"zero byte is just a byte", {std::string("<00\0" "41>", 7)}, {std::string("00\0" "41", 5)}},
    };
    for (const Case& c : cases) {
        CProviderFrameCutter buffer(1024);
        EXPECT_EQ(c.payloads, Feed(buffer, c.chunks)) << c.what;
        EXPECT_FALSE(buffer.Overflowed()) << c.what;
    }
}

TEST(ProviderFrameCutterTest, AnOpenFramePastTheBoundOverflows)
{
    CProviderFrameCutter buffer(8);
    EXPECT_TRUE(Feed(buffer, {"<0041", "0042"}).empty());
    EXPECT_FALSE(buffer.Overflowed());   // eight payload bytes: at the bound
    EXPECT_TRUE(Feed(buffer, {"0"}).empty());
    EXPECT_TRUE(buffer.Overflowed());
    EXPECT_TRUE(Feed(buffer, {">", "<0041>"}).empty());   // cut off for good
}

TEST(ProviderFrameCutterTest, JunkWithoutAFrameIsNotKept)
{
    CProviderFrameCutter buffer(8);
    for (int i = 0; i < 100; ++i)
        Feed(buffer, {"junk junk junk"});
    EXPECT_FALSE(buffer.Overflowed());
    EXPECT_EQ(std::vector<std::string>{"0041"}, Feed(buffer, {"<0041>"}));
}

}  // namespace
