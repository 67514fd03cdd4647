#include "motion/plugin/CompanionPath.h"

#include <gtest/gtest.h>

namespace {

TEST(CompanionPath, AddsTheSuffixToTheBaseName)
{
    const struct {
        const wchar_t* source;
        const wchar_t* companion;
    } cases[] = {
        {L"C:\\media\\clip.avi", L"C:\\media\\clip_Drovel.avi"},
        {L"C:\\media\\clip", L"C:\\media\\clip_Drovel"},
        {L"\\\\server\\share\\a.b.avi", L"\\\\server\\share\\a.b_Drovel.avi"},
    };
    for (const auto& c : cases) {
        wchar_t companion[MAX_PATH];
        ASSERT_TRUE(MakeCompanionPath(c.source, companion));
        EXPECT_STREQ(companion, c.companion);
    }
}

TEST(CompanionPath, RefusesACompanionThatWouldNotFit)
{
    const std::wstring source = L"C:\\" + std::wstring(250, L'a') + L".avi";
    wchar_t companion[MAX_PATH] = L"stale";
    EXPECT_FALSE(MakeCompanionPath(source.c_str(), companion));
    EXPECT_STREQ(companion, L"");
}

TEST(CompanionPath, FindsTheSourceOnlyForACompanionName)
{
    const struct {
        const wchar_t* companion;
        bool found;
        const wchar_t* source;
    } cases[] = {
        {L"C:\\media\\clip_Drovel.avi", true, L"C:\\media\\clip.avi"},
        {L"C:\\media\\clip_Drovel", true, L"C:\\media\\clip"},
        {L"C:\\media\\_Drovel.avi", false, L""},
        {L"C:\\media\\clip_drovel.avi", false, L""},
        {L"C:\\media\\clip.avi", false, L""},
    };
    for (const auto& c : cases) {
        std::wstring source;
        EXPECT_EQ(SourcePathOfCompanion(c.companion, source), c.found) << c.companion;
        EXPECT_EQ(source, c.source);
    }
}

} // namespace
