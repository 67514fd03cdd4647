#include "common/about/LinkOpening.h"

#include "LinkTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkOpening, ErrorTextPerResult)
{
    const struct {
        INT_PTR result;
        const wchar_t* text;
    } cases[] = {
        {0, L"The operating system is out\nof memory or resources."},
        {2, L"The specified file was not found."},
        {3, L"The specified path was not found."},
        {5, L"The operating system denied\naccess to the specified file."},
        {8, L"There was not enough memory to complete the operation."},
        {11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, L"A sharing violation occurred. "},
        {27, L"The filename association is\nincomplete or invalid."},
        {28, L"The DDE transaction could not\nbe completed because the request timed out."},
        {29, L"The DDE transaction failed."},
        {30, L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed."},
        {31, L"There is no application associated\nwith the given filename extension."},
        {32, L"The specified dynamic-link library was not found."},
        {4, L"Unknown Error (4) occurred."},
        {-7, L"Unknown Error (-7) occurred."},
    };
    for (const auto& c : cases) EXPECT_EQ(LinkErrorText(c.result), c.text) << c.result;
}

TEST(LinkOpening, BrowserCommandDropsThePlaceholder)
{
    const struct {
        const wchar_t* command;
        const wchar_t* line;
    } cases[] = {
        {L"\"C:\\Web\\browser.exe\" -nohome \"%1\"", L"\"C:\\Web\\browser.exe\" -nohome  http://x/"},
        {L"C:\\Web\\browser.exe %1 -new", L"C:\\Web\\browser.exe  http://x/"},
        {L"C:\\Web\\browser.exe %1 \"%1\"", L"C:\\Web\\browser.exe %1  http://x/"}, // the quoted one wins
        {L"C:\\Web\\browser.exe", L"C:\\Web\\browser.exe http://x/"},
    };
    for (const auto& c : cases) EXPECT_EQ(BrowserCommandLine(c.command, L"http://x/"), c.line);
}

TEST(LinkOpening, ShellFirstThenTheHtmCommand)
{
    const struct {
        INT_PTR shellResult;
        const wchar_t* htmCommand;
        INT_PTR expected;
        const char* ran; // null: nothing started
    } cases[] = {
        {42, L"C:\\b.exe %1", 42, nullptr},
        {2, L"C:\\b.exe \"%1\"", 33, "C:\\b.exe  http://x/"},
        {31, L"C:\\b.exe", 33, "C:\\b.exe http://x/"},
        {2, nullptr, 2, nullptr},
    };
    for (const auto& c : cases) {
        std::string ran;
        ScopedLinkOpeners fake(FakeOpeners(c.shellResult, c.htmCommand, &ran));
        EXPECT_EQ(GotoURL(L"http://x/", SW_SHOW), c.expected);
        EXPECT_EQ(ran, c.ran ? c.ran : "");
    }
}

} // namespace
