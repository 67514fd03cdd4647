#include "chartcontrol/ProviderFrame.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ProviderFrame, EncodesEveryUnitAsFourUpperCaseDigits)
{
    EXPECT_EQ("<>", EncodeProviderFrame(L""));
    EXPECT_EQ("<003C0041000D000AFFFF00E9>", EncodeProviderFrame(L"<A\r\n\xFFFF\x00E9"));
}

TEST(ProviderFrame, PayloadDecodesOnlyWholeUpperCaseUnits)
{
    struct Case { const char* payload; bool decodes; const wchar_t* text; };
    const Case cases[] = {
        {"", true, L""},
        {"0041", true, L"A"},
        {"003C00720020003E", true, L"<r >"},
        {"FFFF0000ABCD", true, L"\xFFFF\0\xABCD"},
        {"004", false, nullptr},        // a trailing partial unit
        {"00410", false, nullptr},
        {"003c", false, nullptr},       // lower case is not part of the format
        {"00G1", false, nullptr},
        {"00 1", false, nullptr},
        {"-041", false, nullptr},
    };
    for (const Case& c : cases) {
        std::wstring text = L"untouched";
        const size_t length = strlen(c.payload);
        EXPECT_EQ(c.decodes, DecodeProviderPayload(c.payload, length, text)) << c.payload;
        const std::wstring expected = c.decodes ? std::wstring(c.text, length / 4) : L"untouched";
        EXPECT_EQ(expected, text) << c.payload;
    }
}

TEST(ProviderFrame, ReaderFindsTheFirstCompleteFrameAcrossChunks)
{
    using State = CProviderFrameReader::State;
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
        CProviderFrameReader reader(1024);
        State state = State::NeedMore;
        for (const std::string& chunk : c.chunks)
            state = reader.Append(chunk.data(), chunk.size());
        EXPECT_EQ(c.state, state) << c.name;
        if (c.payload) {
            EXPECT_EQ(c.payload, reader.Payload()) << c.name;
        }
    }
}

TEST(ProviderFrame, ReaderGivesUpAtItsBound)
{
    using State = CProviderFrameReader::State;
    // An open frame and a stream without any frame both count against the bound.
    for (const char* first : {"<", "x"}) {
        CProviderFrameReader reader(64);
        EXPECT_EQ(State::NeedMore, reader.Append(first, 1)) << first;
        const std::string more(40, '0');
        EXPECT_EQ(State::NeedMore, reader.Append(more.data(), more.size())) << first;
        EXPECT_EQ(State::TooLong, reader.Append(more.data(), more.size())) << first;
        EXPECT_EQ(State::TooLong, reader.Append(">", 1)) << "stays given up: " << first;
        EXPECT_TRUE(reader.Payload().empty());
    }
}
