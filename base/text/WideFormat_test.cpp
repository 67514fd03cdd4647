#include "base/text/WideFormat.h"

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

TEST(WideFormat, UsesTheLocaleItIsGiven)
{
    struct Locale {
        _locale_t locale;
        ~Locale() { if (locale) _free_locale(locale); }
    };
    const Locale german{_create_locale(LC_ALL, "German_Germany.1252")};
    const Locale c{_create_locale(LC_ALL, "C")};
    ASSERT_TRUE(c.locale);
    if (!german.locale)
        GTEST_SKIP() << "no German locale";
    EXPECT_EQ(FormatWideInLocale(german.locale, L"%.1f %s", 1.5, L"x"), L"1,5 x");
    EXPECT_EQ(FormatWideInLocale(c.locale, L"%.1f %s", 1.5, L"x"), L"1.5 x");
}

TEST(WideFormat, EmptyResults)
{
    EXPECT_EQ(FormatWide(nullptr), L"");
    EXPECT_EQ(FormatWide(L""), L"");
    EXPECT_EQ(FormatWide(L"%s", L""), L"");
}

}  // namespace
