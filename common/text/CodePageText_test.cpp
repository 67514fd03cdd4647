#include "common/text/CodePageText.h"

#include <gtest/gtest.h>

namespace {

const UINT kWesternEuropean = 1252;

}  // namespace

TEST(CodePageText, NarrowsExactlyOrRefuses)
{
    struct Case { const wchar_t* text; bool converts; const char* bytes; };
    const Case cases[] = {
        {L"", true, ""},
        {L"vote.jpg", true, "vote.jpg"},
        {L"caf\u00e9 \u20ac", true, "caf\xe9 \x80"},
        {L"a\uff0fb", false, nullptr},   // fullwidth solidus: best fit would give "/"
        {L"a\u2215b", false, nullptr},   // division slash
        {L"..\uff3cx", false, nullptr},  // fullwidth reverse solidus
        {L"\u4e2d", false, nullptr},     // not in the page at all ("?")
    };
    for (const Case& c : cases) {
        std::string out = "unchanged";
        EXPECT_EQ(c.converts, ToCodePageExactly(c.text, out, kWesternEuropean)) << testing::PrintToString(c.text);
        EXPECT_EQ(c.converts ? c.bytes : "unchanged", out) << testing::PrintToString(c.text);
    }
}

TEST(CodePageText, WidensEveryByte)
{
    EXPECT_EQ(L"caf\u00e9 \u20ac", FromCodePage("caf\xe9 \x80", kWesternEuropean));
    EXPECT_EQ(L"", FromCodePage("", kWesternEuropean));
}
