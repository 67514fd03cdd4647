#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "provider/ProgramLog.h"
#include "provider/test/ProviderTestSupport.h"
#include "provider/SetupIni.h"

namespace {

using ProgramLogTest = ProviderFixture;

TEST(ProgramLogFormat, LineAndDayFileNames)
{
    EXPECT_EQ(L"03/15/09 14:02:07.045 - Server started on port 5011",
              FormatLogLine(MakeLocalTime(2009, 3, 15, 14, 2, 7, 45), L"Server started on port 5011"));
    EXPECT_EQ(L"12/31/00 23:59:59.999 - x", FormatLogLine(MakeLocalTime(2000, 12, 31, 23, 59, 59, 999), L"x"));
    EXPECT_EQ(L"C:\\p\\Scrivane_Log\\Scrivane_01-02-2009.txt",
              LogFilePath(L"C:\\p\\Scrivane_Log", MakeLocalTime(2009, 1, 2, 0, 0, 0, 0)));
}

TEST_F(ProgramLogTest, SwitchesChooseWindowFileBothOrNothing)
{
    struct Case { int toWindow; int toFile; bool expectWindow; bool expectFile; };
    const Case cases[] = {
        {-1, -1, true, false},   // no Setup.ini keys: the defaults
        {0, 1, false, true},
        {1, 1, true, true},
        {0, 0, false, false},
    };
    const std::wstring dayFile = Folder() + L"\\Scrivane_Log\\Scrivane_03-15-2009.txt";
    for (const Case& c : cases) {
        DeleteFileW(dayFile.c_str());
        if (c.toWindow >= 0) {
            WriteSetup(kLogToLogWindowKey, c.toWindow);
            WriteSetup(kLogToFileKey, c.toFile);
        }
        WindowMessages();   // drain
        LogMessage(L"Server started on port %d", 5011);
        const std::vector<std::wstring> posted = WindowMessages();
        EXPECT_EQ(c.expectWindow ? std::vector<std::wstring>{L"Server started on port 5011"} : std::vector<std::wstring>{},
                  posted) << c.toWindow << "/" << c.toFile;
        EXPECT_EQ(c.expectFile ? std::string("03/15/09 14:02:07.045 - Server started on port 5011\r\n") : std::string(),
                  ReadFileBytes(dayFile)) << c.toWindow << "/" << c.toFile;
    }
}

TEST_F(ProgramLogTest, LinesAcrossMidnightGoToTwoDayFiles)
{
    WriteSetup(kLogToLogWindowKey, 0);
    WriteSetup(kLogToFileKey, 1);
    SetClock(2009, 12, 31, 23, 59, 59, 999);
    LogText(L"last of the year");
    SetClock(2010, 1, 1, 0, 0, 0, 0);
    LogText(L"first of the year");
    EXPECT_EQ("12/31/09 23:59:59.999 - last of the year\r\n",
              ReadFileBytes(Folder() + L"\\Scrivane_Log\\Scrivane_12-31-2009.txt"));
    EXPECT_EQ("01/01/10 00:00:00.000 - first of the year\r\n",
              ReadFileBytes(Folder() + L"\\Scrivane_Log\\Scrivane_01-01-2010.txt"));
}

TEST_F(ProgramLogTest, DeletedLogFolderIsMadeAgainAndLinesAppend)
{
    WriteSetup(kLogToFileKey, 1);
    LogText(L"one");
    RemoveFolderTree(Folder() + L"\\Scrivane_Log");
    LogText(L"two");
    LogText(L"three");
    EXPECT_EQ("03/15/09 14:02:07.045 - two\r\n03/15/09 14:02:07.045 - three\r\n",
              ReadFileBytes(Folder() + L"\\Scrivane_Log\\Scrivane_03-15-2009.txt"));
}

TEST_F(ProgramLogTest, WithoutALogWindowNothingIsWrittenAnywhere)
{
    WriteSetup(kLogToFileKey, 1);
    SetLogTargetWindow(nullptr);
    LogText(L"dropped");
    SetLogTargetWindow(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234)));   // not a window
    LogText(L"dropped too");
    SetLogTargetWindow(LogWindow());
    EXPECT_TRUE(WindowMessages().empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((Folder() + L"\\Scrivane_Log").c_str()));
}

TEST_F(ProgramLogTest, PercentSignsInTextsStayText)
{
    LogText(L"50%s done %n %d");
    LogMessage(L"%s", L"routine %s failed %n");
    LogMessage(L"Failure setting script state when calling sub %s", L"Update(\"%n\")");
    EXPECT_EQ((std::vector<std::wstring>{L"50%s done %n %d", L"routine %s failed %n",
                                         L"Failure setting script state when calling sub Update(\"%n\")"}),
              WindowMessages());
}

TEST_F(ProgramLogTest, LongMessagesAreCutNotOverrun)
{
    const std::wstring longText(3 * kMaxLogMessage, L'x');
    LogText(longText);
    LogMessage(L"%s", longText.c_str());
    const std::vector<std::wstring> posted = WindowMessages();
    ASSERT_EQ(2u, posted.size());
    EXPECT_EQ(std::wstring(kMaxLogMessage - 1, L'x'), posted[0]);
    EXPECT_EQ(std::wstring(kMaxLogMessage - 1, L'x'), posted[1]);
}

TEST_F(ProgramLogTest, SetupDefaultsAndWrittenValues)
{
    EXPECT_EQ(kDefaultServerPort, GetSetupInt(kSetupSection, kServerPortKey, kDefaultServerPort));
    EXPECT_EQ(GetProgramFolder() + L"Scrivane.vbs", GetStartupScriptPath());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(GetSetupIniPath().c_str())) << "reading creates no file";

    ASSERT_TRUE(SetSetupInt(kSetupSection, kServerPortKey, 6000));
    ASSERT_TRUE(SetSetupString(kSetupSection, kStartupScriptKey, L"C:\\scripts\\quotes.vbs"));
    EXPECT_EQ(6000, GetSetupInt(kSetupSection, kServerPortKey, kDefaultServerPort));
    EXPECT_EQ(L"C:\\scripts\\quotes.vbs", GetStartupScriptPath());
    EXPECT_NE(std::string::npos, ReadFileBytes(GetSetupIniPath()).find("ServerPort=6000"));
}

}  // namespace
