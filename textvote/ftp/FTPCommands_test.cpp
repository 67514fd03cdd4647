// One-command operations, reply handling and refused input, against the
// scripted server.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "textvote/ftp/test/ScriptedServerTestSupport.h"

using nsFTP::CFTPClient;
using nsFTP::CRepresentation;

TEST(FtpCommands, TextsSentAndResults)
{
    struct Case {
        const char* name;
        std::function<int(CFTPClient&)> call;
        std::vector<FtpStep> exchanges;  // empty: nothing may be sent
        int result;
    };
    long long size = -7;
    std::wstring stamp;
    SYSTEMTIME time{};
    const Case cases[] = {
        {"rename", [](CFTPClient& c) { return c.Rename(L"a", L"b"); },
         {Answer("RNFR a", "350 Ready.\r\n"), Answer("RNTO b", "250 Renamed.\r\n")}, 0},
        {"rename refused at once", [](CFTPClient& c) { return c.Rename(L"a", L"b"); },
         {Answer("RNFR a", "550 No such file.\r\n")}, 1},
        {"rename answered out of class", [](CFTPClient& c) { return c.Rename(L"a", L"b"); },
         {Answer("RNFR a", "250 Odd.\r\n")}, -1},
        {"parent", [](CFTPClient& c) { return c.ChangeToParentDirectory(); }, {Answer("CDUP", "250 OK.\r\n")}, 0},
        {"pwd", [](CFTPClient& c) { return c.PrintWorkingDirectory(); }, {Answer("PWD", "257 \"/\"\r\n")}, 0},
        {"system", [](CFTPClient& c) { return c.System(); }, {Answer("SYST", "215 UNIX Type: L8\r\n")}, 0},
        {"cwd refused", [](CFTPClient& c) { return c.ChangeWorkingDirectory(L"x y"); },
         {Answer("CWD x y", "550 No.\r\n")}, 1},
        {"mkd", [](CFTPClient& c) { return c.MakeDirectory(L"d"); }, {Answer("MKD d", "257 \"/d\"\r\n")}, 0},
        {"site", [](CFTPClient& c) { return c.SiteParameters(L"CHMOD 644 a"); },
         {Answer("SITE CHMOD 644 a", "200 OK.\r\n")}, 0},
        {"help alone has no trailing space", [](CFTPClient& c) { return c.Help(L""); },
         {Answer("HELP", "214-Commands:\r\n USER PASS\r\n214 Done.\r\n")}, 0},
        {"help on a topic", [](CFTPClient& c) { return c.Help(L"STOR"); }, {Answer("HELP STOR", "214 STOR.\r\n")}, 0},
        {"dele", [](CFTPClient& c) { return c.Delete(L"f"); }, {Answer("DELE f", "250 Deleted.\r\n")}, 0},
        {"rmd", [](CFTPClient& c) { return c.RemoveDirectory(L"d"); }, {Answer("RMD d", "250 Removed.\r\n")}, 0},
        {"stru", [](CFTPClient& c) { return c.FileStructure(L'R'); }, {Answer("STRU R", "504 No.\r\n")}, 1},
        {"stru of no kind is not sent", [](CFTPClient& c) { return c.FileStructure(L'X'); }, {}, -1},
        {"mode", [](CFTPClient& c) { return c.TransferMode(L'S'); }, {Answer("MODE S", "200 OK.\r\n")}, 0},
        {"mode of no kind is not sent", [](CFTPClient& c) { return c.TransferMode(L'Z'); }, {}, -1},
        {"stat", [](CFTPClient& c) { return c.Status(L""); }, {Answer("STAT", "211 Fine.\r\n")}, 0},
        {"stat of a path", [](CFTPClient& c) { return c.Status(L"/x"); }, {Answer("STAT /x", "213 x\r\n")}, 0},
        {"allo", [](CFTPClient& c) { return c.Allocate(100); }, {Answer("ALLO 100", "202 No need.\r\n")}, 0},
        {"allo with records", [](CFTPClient& c) { return c.Allocate(100, 10); },
         {Answer("ALLO 100 R 10", "202 No need.\r\n")}, 0},
        {"smnt", [](CFTPClient& c) { return c.StructureMount(L"/m"); }, {Answer("SMNT /m", "502 No.\r\n")}, 1},
        {"rein", [](CFTPClient& c) { return c.Reinitialize(); }, {Answer("REIN", "220 Again.\r\n")}, 0},
        {"rein after a wait", [](CFTPClient& c) { return c.Reinitialize(); },
         {Answer("REIN", "120 Soon.\r\n220 Again.\r\n")}, 0},
        {"rein after a wait that fails", [](CFTPClient& c) { return c.Reinitialize(); },
         {Answer("REIN", "120 Soon.\r\n421 No.\r\n")}, -1},
        {"rein refused", [](CFTPClient& c) { return c.Reinitialize(); }, {Answer("REIN", "502 No.\r\n")}, 1},
        {"rest", [](CFTPClient& c) { return c.Restart(4294967296LL); },
         {Answer("REST 4294967296", "350 Restarting.\r\n")}, 0},
        {"rest answered with a completion", [](CFTPClient& c) { return c.Restart(5); },
         {Answer("REST 5", "200 Odd.\r\n")}, -1},
        {"a code starting with 6 is no reply", [](CFTPClient& c) { return c.Noop(); },
         {Answer("NOOP", "631 Protected.\r\n")}, -1},
        {"type ascii non-print", [](CFTPClient& c) { return c.RepresentationType(CRepresentation(CRepresentation::Type::Ascii)); },
         {Answer("TYPE A N", "200 OK.\r\n")}, 0},
        {"type ebcdic telnet",
         [](CFTPClient& c) {
             return c.RepresentationType(
                 CRepresentation(CRepresentation::Type::Ebcdic, CRepresentation::Format::TelnetFormat));
         },
         {Answer("TYPE E T", "200 OK.\r\n")}, 0},
        {"type ascii carriage control",
         [](CFTPClient& c) {
             return c.RepresentationType(
                 CRepresentation(CRepresentation::Type::Ascii, CRepresentation::Format::CarriageControl));
         },
         {Answer("TYPE A C", "504 No.\r\n")}, 1},
        {"type image", [](CFTPClient& c) { return c.RepresentationType(CRepresentation(CRepresentation::Type::Image)); },
         {Answer("TYPE I", "200 OK.\r\n")}, 0},
        {"type local",
         [](CFTPClient& c) { return c.RepresentationType(CRepresentation(CRepresentation::Type::LocalByte), 36); },
         {Answer("TYPE L 36", "200 OK.\r\n")}, 0},
        {"port", [](CFTPClient& c) { return c.DataPort(L"10.1.2.3", 1025); },
         {Answer("PORT 10,1,2,3,4,1", "200 OK.\r\n")}, 0},
        {"size", [&](CFTPClient& c) { return c.FileSize(L"big", size); }, {Answer("SIZE big", "213 5000000000\r\n")}, 0},
        {"mdtm", [&](CFTPClient& c) { return c.FileModificationTime(L"f", stamp); },
         {Answer("MDTM f", "213 20261210132230\r\n")}, 0},
        {"mdtm refused", [&](CFTPClient& c) { return c.FileModificationTime(L"g", stamp); },
         {Answer("MDTM g", "550 No such file.\r\n")}, 1},
        {"mdtm without a stamp", [&](CFTPClient& c) { return c.FileModificationTime(L"h", stamp); },
         {Answer("MDTM h", "213 yesterday\r\n")}, -1},
        {"mdtm with a fraction", [&](CFTPClient& c) { return c.FileModificationTime(L"i", time); },
         {Answer("MDTM i", "213 20240229235958.123\r\n")}, 0},
    };

    std::vector<FtpStep> steps;
    for (const Case& c : cases)
        steps.insert(steps.end(), c.exchanges.begin(), c.exchanges.end());
    CScriptedFtpServer server(LoggedOn(steps));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    size_t expected = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result, c.call(*client));
        expected += c.exchanges.size();
        std::vector<std::string> sent = AfterLogon(server);
        EXPECT_EQ(expected, sent.size()) << "commands sent";
    }
    std::vector<std::string> wanted;
    for (const Case& c : cases)
        for (const FtpStep& step : c.exchanges)
            wanted.push_back(step.command);
    EXPECT_EQ(wanted, AfterLogon(server));
    EXPECT_EQ(5000000000LL, size);
    EXPECT_EQ(L"20261210132230", stamp);
    EXPECT_EQ(2024, time.wYear);
    EXPECT_EQ(2, time.wMonth);
    EXPECT_EQ(29, time.wDay);
    EXPECT_EQ(23, time.wHour);
    EXPECT_EQ(59, time.wMinute);
    EXPECT_EQ(58, time.wSecond);
    EXPECT_EQ(0, time.wMilliseconds);
}

TEST(FtpCommands, OnlyAFileStatusReplyGivesASize)
{
    struct Case { const char* reply; int result; long long size; };
    const Case cases[] = {
        {"213 1000\r\n", 0, 1000},
        {"550 5 files missing\r\n", 1, -7},
        {"200 12\r\n", -1, -7},
        {"213 unknown\r\n", -1, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        CScriptedFtpServer server(LoggedOn({Answer("SIZE f", c.reply)}));
        RecordingObserver observer;
        auto client = LogOn(server, observer);
        long long size = -7;
        EXPECT_EQ(c.result, client->FileSize(L"f", size));
        EXPECT_EQ(c.size, size);
    }
}

TEST(FtpCommands, PassiveRepliesAreCheckedStrictly)
{
    struct Case { const char* reply; int result; unsigned long address; unsigned short port; };
    const Case cases[] = {
        {"227 Entering Passive Mode (10,0,0,1,4,1).\r\n", 0, 0x0A000001, 1025},
        {"227 Entering Passive Mode (10, 0,0,1,4,1).\r\n", -1, 0, 0},
        {"227 Entering Passive Mode (10,0,0,1,300,1).\r\n", -1, 0, 0},
        {"227 Entering Passive Mode (10,0,0,256,4,1).\r\n", -1, 0, 0},
        {"227 Entering Passive Mode (10,0,0,1,4\r\n", -1, 0, 0},
        {"227 Entering Passive Mode (10,0,0,1,,4,1).\r\n", -1, 0, 0},
        {"227 Entering Passive Mode 10,0,0,1,4,1\r\n", -1, 0, 0},
        {"502 No passive mode.\r\n", 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        CScriptedFtpServer server(LoggedOn({Answer("PASV", c.reply)}));
        RecordingObserver observer;
        auto client = LogOn(server, observer);
        unsigned long address = 0;
        unsigned short port = 0;
        EXPECT_EQ(c.result, client->Passive(address, port));
        if (c.result == 0) {
            EXPECT_EQ(c.address, address);
            EXPECT_EQ(c.port, port);
        }
    }
}

TEST(FtpCommands, TextThatWouldBecomeAnotherCommandIsNeverSent)
{
    CScriptedFtpServer server(LoggedOn({Answer("DELE caf\xe9.txt", "250 Deleted.\r\n"), Answer("NOOP", "200 OK.\r\n")}));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    const std::wstring refused[] = {
        L"a\r\nDELE important",
        L"a\nDELE important",
        L"a\rDELE important",
        std::wstring(L"a\0DELE important", 16),
        L"..\uff0fsecret",  // a fullwidth solidus must not become "/"
        L"\u4e2d.txt",      // not in the code page: no "?" in its place
    };
    for (const std::wstring& name : refused)
        EXPECT_EQ(-1, client->Delete(name)) << testing::PrintToString(name);
    EXPECT_EQ(6u, observer.errors.size());
    EXPECT_TRUE(client->IsConnected()) << "a refused command leaves the connection as it was";
    EXPECT_EQ(0, client->Delete(L"caf\u00e9.txt"));
    EXPECT_EQ(0, client->Noop());
    EXPECT_EQ((std::vector<std::string>{"DELE caf\xe9.txt", "NOOP"}), AfterLogon(server));
    EXPECT_FALSE(client->SendCommand(L"NOOP\r\nQUIT"));
}

TEST(FtpCommands, ALogonNameWithALineBreakReachesNoServer)
{
    struct Case { const wchar_t* user; const wchar_t* password; std::vector<std::string> sent; };
    const Case cases[] = {
        {L"u1\r\nDELE x", L"p1", {}},
        {L"u1", L"p1\nDELE x", {"USER u1"}},
    };
    for (const Case& c : cases) {
        CScriptedFtpServer server({Greeting(), Answer("USER u1", "331 Password.\r\n")});
        CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
        EXPECT_FALSE(client.Login(LoopbackLogon(server.Port(), c.user, c.password)));
        EXPECT_EQ(c.sent, server.Commands());
    }
}

TEST(FtpCommands, ASilentCommandTimesOutAndClosesTheConnection)
{
    FtpStep silent;
    silent.command = "NOOP";
    CScriptedFtpServer server(LoggedOn({silent, Greeting(), Answer("USER u1", "230 In.\r\n"),
                                        Answer("CWD /", "250 OK.\r\n"), Answer("PWD", "257 \"/\"\r\n")}));
    RecordingObserver observer;
    auto client = LogOn(server, observer, 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(-1, client->Noop());
    EXPECT_LT(std::chrono::steady_clock::now() - start, kWithinShortTimeOuts);
    EXPECT_FALSE(client->IsConnected()) << "a reply that may still come would answer the next command";
    ASSERT_TRUE(client->Login(LoopbackLogon(server.Port())));
    EXPECT_EQ(0, client->PrintWorkingDirectory());
}

TEST(FtpCommands, AReplyThatTricklesInIsBoundedByOneTimeOut)
{
    // A byte every 150 ms for half a minute, never a line end.
    FtpStep trickle;
    trickle.command = "NOOP";
    trickle.reply.assign(200, "2");
    CScriptedFtpServer server(LoggedOn({trickle}));
    RecordingObserver observer;
    auto client = LogOn(server, observer, 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(-1, client->Noop());
    EXPECT_LT(std::chrono::steady_clock::now() - start, kWithinShortTimeOuts);
    EXPECT_FALSE(client->IsConnected());
}

TEST(FtpCommands, ObserversDetachFromBothSides)
{
    CScriptedFtpServer server(LoggedOn({Answer("NOOP", "200 OK.\r\n"), Answer("NOOP", "200 OK.\r\n")}));
    RecordingObserver kept;
    auto client = LogOn(server, kept);
    EXPECT_FALSE(client->AttachObserver(&kept)) << "attached twice";
    nsFTP::IClientObserver* gone = nullptr;
    {
        RecordingObserver brief;
        EXPECT_TRUE(client->AttachObserver(&brief));
        EXPECT_EQ(1u, brief.Clients().size());
        EXPECT_EQ(0, client->Noop());
        EXPECT_EQ(1u, brief.replies.size());
        gone = &brief;
    }
    EXPECT_FALSE(client->DetachObserver(gone)) << "an observer that goes away detaches itself";
    EXPECT_EQ(0, client->Noop());
    RecordingObserver stranger;
    EXPECT_FALSE(client->DetachObserver(&stranger));
    EXPECT_TRUE(client->DetachObserver(&kept));
    EXPECT_TRUE(kept.Clients().empty());
    EXPECT_TRUE(client->AttachObserver(&kept));
    client.reset();
    EXPECT_TRUE(kept.Clients().empty()) << "a client that goes away detaches itself";
}
