#include "common/text/WideFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(WideFormat, KeepsTheWindowsMeaningOfTheConversions)
{
    EXPECT_EQ(FormatWide(L"[%s]", L"wide"), L"[wide]");
    EXPECT_EQ(FormatWide(L"[%ls|%hs]", L"wide", "narrow"), L"[wide|narrow]");
    EXPECT_EQ(FormatWide(L"%c%hc", L'\u00e9', 'x'), L"\u00e9x");
    EXPECT_EQ(FormatWide(L"0x%08lX %02u-%04u %.8f", 0x8000FFFFul, 7u, 2026u, 0.5), L"0x8000FFFF 07-2026 0.50000000");
}

TEST(WideFormat, NothingIsCut)
{
    const std::wstring argument(70000, L'y');
    const std::wstring text = FormatWide(L"<%s>", argument.c_str());
    EXPECT_EQ(text.size(), argument.size() + 2);
    EXPECT_TRUE(text == L"<" + argument + L">");
}

TEST(WideFormat, EmptyResults)
{
    EXPECT_EQ(FormatWide(nullptr), L"");
    EXPECT_EQ(FormatWide(L""), L"");
    EXPECT_EQ(FormatWide(L"%s", L""), L"");
}

}  // namespace
