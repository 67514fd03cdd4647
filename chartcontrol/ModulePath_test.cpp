#include "chartcontrol/ModulePath.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, length);
}

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() &&
           CompareStringOrdinal(text.c_str() + text.size() - tail.size(), static_cast<int>(tail.size()),
                                tail.c_str(), static_cast<int>(tail.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

TEST(ModulePath, OcxPathIsTheModuleHoldingTheCode)
{
    // Linked statically into this test, the code's module is the test itself.
    std::wstring path;
    ASSERT_TRUE(GetOcxPath(path));
    EXPECT_TRUE(EndsWith(path, L"\\chartcontrol_provider_tests.exe")) << path;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));

    std::wstring sibling;
    ASSERT_TRUE(GetOcxSiblingPath(L"providers.xml", sibling));
    EXPECT_EQ(path.substr(0, path.find_last_of(L'\\') + 1) + L"providers.xml", sibling);
}

TEST(ModulePath, ShortComponentsExpandToTheirLongNames)
{
    const std::wstring longFolder = TempFolder() + L"Long Folder Name For Module Path";
    CreateDirectoryW(longFolder.c_str(), nullptr);
    const std::wstring longFile = longFolder + L"\\A Long Control File Name.ocx";
    HANDLE file = CreateFileW(longFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);

    wchar_t shortPath[MAX_PATH + 1];
    const DWORD shortLength = GetShortPathNameW(longFile.c_str(), shortPath, MAX_PATH + 1);
    ASSERT_GT(shortLength, 0u);
    ASSERT_EQ(std::wstring::npos, std::wstring(shortPath).find(L"Long Folder Name")) << shortPath;

    std::wstring expanded;
    EXPECT_TRUE(ExpandToLongPath(shortPath, expanded));
    EXPECT_TRUE(EndsWith(expanded, L"\\Long Folder Name For Module Path\\A Long Control File Name.ocx")) << expanded;

    EXPECT_FALSE(ExpandToLongPath(longFolder + L"\\missing\\A Long Control File Name.ocx", expanded));

    DeleteFileW(longFile.c_str());
    RemoveDirectoryW(longFolder.c_str());
}
