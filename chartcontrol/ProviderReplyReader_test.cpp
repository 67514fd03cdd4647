#include "chartcontrol/ProviderReplyReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ProviderReplyReader, ReaderFindsTheFirstCompleteFrameAcrossChunks)
{
    using State = CProviderReplyReader::State;
    struct Case { const char* name; std::vector<std::string> chunks; State state; const char* payload; };
    const Case cases[] = {
        {"one chunk", {"<0041>"}, State::Complete, "0041"},
        {"split inside units", {"<00", "4", "10042", ">"}, State::Complete, "00410042"},
        {"stray bytes first", {"\r\n", "junk<0041>"}, State::Complete, "0041"},
        {"bracket alone", {"<", ">"}, State::Complete, ""},
        {"data after the frame", {"<0041>trailing<0042>"}, State::Complete, "0041"},
        {"not closed yet", {"<0041", "0042"}, State::NeedMore, nullptr},
        {"no frame yet", {"0041>"}, State::NeedMore, nullptr},
    };
    for (const Case& c : cases) {
        CProviderReplyReader reader(1024);
        State state = State::NeedMore;
        for (const std::string& chunk : c.chunks)
            state = reader.Append(chunk.data(), chunk.size());
        EXPECT_EQ(c.state, state) << c.name;
        if (c.payload) {
            EXPECT_EQ(c.payload, reader.Payload()) << c.name;
        }
    }
}

TEST(ProviderReplyReader, ReaderGivesUpAtItsBound)
{
    using State = CProviderReplyReader::State;
    // An open frame and a stream without any frame both count against the bound.
    for (const char* first : {"<", "x"}) {
        CProviderReplyReader reader(64);
        EXPECT_EQ(State::NeedMore, reader.Append(first, 1)) << first;
        const std::string more(40, '0');
        EXPECT_EQ(State::NeedMore, reader.Append(more.data(), more.size())) << first;
        EXPECT_EQ(State::TooLong, reader.Append(more.data(), more.size())) << first;
        EXPECT_EQ(State::TooLong, reader.Append(">", 1)) << "stays given up: " << first;
        EXPECT_TRUE(reader.Payload().empty());
    }
}
