#include "base/text/TextConversion.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kWesternEuropean = 1252;

struct Utf8Case {
    const wchar_t* wide;
    int count;   // -1: the whole terminated text
    std::string utf8;
};

TEST(TextConversion, Utf8BothWays)
{
    const Utf8Case cases[] = {
        {L"", -1, ""},
        {L"plain", -1, "plain"},
        {L"Gr\u00fc\u00dfe \u20ac", -1, "Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac"},
        {L"\U0001F600!", -1, "\xf0\x9f\x98\x80!"},
        {L"abcdef", 3, "abc"},         // counted: only the first three
        {L"\u00e4\u00f6\u00fc", 2, "\xc3\xa4\xc3\xb6"},
    };
    for (const Utf8Case& c : cases) {
        const std::wstring_view wide = c.count == -1 ? std::wstring_view(c.wide) : std::wstring_view(c.wide, c.count);
        const std::string bytes = WideToNarrow(wide, CP_UTF8);
        EXPECT_EQ(bytes.size(), c.utf8.size()) << c.utf8;
        EXPECT_STREQ(bytes.c_str(), c.utf8.c_str()) << "terminated after the converted units";

        const std::wstring back = NarrowToWide(c.utf8, CP_UTF8);
        EXPECT_EQ(back, wide);
        EXPECT_EQ(back.size(), wide.size());
    }
}

TEST(TextConversion, NullInputGivesAnEmptyText)
{
    EXPECT_EQ(WideToNarrow(std::wstring_view(), CP_UTF8), "");
    EXPECT_EQ(NarrowToWide(std::string_view(), CP_UTF8), L"");
    EXPECT_EQ(ExactWideToNarrow(std::wstring_view(), kWesternEuropean), std::string());
    EXPECT_EQ(ExactNarrowToWide(std::string_view(), CP_UTF8), std::wstring());
}

TEST(TextConversion, CountedTextKeepsEmbeddedNuls)
{
    const std::wstring wide(L"a\0b\u00e9", 4);
    const std::string ansi("a\0b\xe9", 4);
    EXPECT_EQ(WideToNarrow(wide, kWesternEuropean), ansi);
    EXPECT_EQ(NarrowToWide(ansi, kWesternEuropean), wide);
    EXPECT_EQ(ExactWideToNarrow(wide, kWesternEuropean), ansi);
    EXPECT_EQ(ExactNarrowToWide(ansi, kWesternEuropean), wide);
}

// Where the lenient form substitutes, the exact one refuses.
TEST(TextConversion, ExactRefusesWhatTheLenientFormSubstitutes)
{
    const struct {
        const wchar_t* text;
        UINT codePage;
    } narrowing[] = {
        {L"\u0100", kWesternEuropean},   // best fit: 'A'
        {L"x\u4e16", kWesternEuropean},  // default character
        {L"\xd800", CP_UTF8},            // unpaired surrogate: U+FFFD
    };
    for (const auto& c : narrowing) {
        EXPECT_FALSE(WideToNarrow(c.text, c.codePage).empty()) << c.codePage;
        EXPECT_EQ(ExactWideToNarrow(c.text, c.codePage), std::nullopt) << c.codePage;
    }

    for (const char* bytes : {"\xc3(", "\xff", "ab\xe2\x82"}) {
        EXPECT_NE(NarrowToWide(bytes, CP_UTF8).find(L'\ufffd'), std::wstring::npos) << bytes;
        EXPECT_EQ(ExactNarrowToWide(bytes, CP_UTF8), std::nullopt) << bytes;
    }
}

TEST(TextConversion, ExactKeepsWhatTheCodePageHolds)
{
    EXPECT_EQ(ExactWideToNarrow(L"Gr\u00fc\u00dfe \u20ac", kWesternEuropean), std::string("Gr\xfc\xdf" "e \x80"));
    EXPECT_EQ(ExactWideToNarrow(L"\U0001F600", CP_UTF8), std::string("\xf0\x9f\x98\x80"));
    EXPECT_EQ(ExactNarrowToWide("Gr\xfc\xdf" "e \x80", kWesternEuropean), std::wstring(L"Gr\u00fc\u00dfe \u20ac"));
}

}  // namespace
