#include "common/about/VersionInfo.h"

#include "common/about/AboutDialog.h"
#include "platform/ui/Module.h"

#include <gtest/gtest.h>
#include <fstream>

namespace {

TEST(VersionInfo, ReadsTheStringsOfTheBlocksTranslations)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Open(CurrentModulePath()));
    EXPECT_EQ(info.Translation(), 0x040904b0u) << "language in the high word";
    EXPECT_EQ(info.QueryString(L"FileVersion"), L"2, 0, 0, 1");
    EXPECT_EQ(info.QueryString(L"FileVersion", 0x040704b0), L"2, 0, 0, 1 (de)");
    EXPECT_EQ(info.QueryString(L"NoSuchValue"), L"");
}

TEST(VersionInfo, AFileWithoutABlockKeepsNothing)
{
    CVersionInfo info;
    ASSERT_TRUE(info.Open(CurrentModulePath()));
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring plain = std::wstring(folder) + L"no_version_block.txt";
    std::ofstream(plain.c_str()) << "text";
    EXPECT_FALSE(info.Open(plain));
    EXPECT_EQ(info.QueryString(L"FileVersion"), L"");
    EXPECT_FALSE(info.Open(L"C:\\no\\such\\file.dll"));
    ::DeleteFileW(plain.c_str());
}

TEST(VersionInfo, VersionLineJoinsTheNumbersWithDots)
{
    const struct {
        const wchar_t* fileVersion;
        const wchar_t* line;
    } cases[] = {
        {L"1, 1, 0, 9", L"Version: 1.1.0.9"},
        {L"1.2.3.4", L"Version: 1.2.3.4"},
        {L"1,2, 3", L"Version: 1,2.3"},
        {L"", L"Version: "},
    };
    for (const auto& c : cases) EXPECT_EQ(AboutVersionLine(c.fileVersion), c.line);
}

} // namespace
