// Transfers and listings against the scripted server: the command
// sequences, resume, and data connections that fail in every way.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "platform/net/TcpConnector.h"
#include "textvote/ftp/test/ScriptedServerTestSupport.h"
#include "textvote/socket/test/SocketTestSupport.h"

using nsFTP::CFTPClient;
using nsFTP::CRepresentation;
using Data = FtpStep::Data;

namespace {

const CRepresentation kImage(CRepresentation::Type::Image);

using Clock = std::chrono::steady_clock;

}  // namespace

TEST(FtpTransfer, TypeIsSentOnlyWhenItChanges)
{
    CScriptedFtpServer server(LoggedOn({
        Pasv(),
        Transfer("LIST", Data::Send, "a\r\nb\nc"),
        Answer("TYPE I", "200 Binary.\r\n"),
        Answer("SIZE one", "213 3\r\n"),
        Pasv(),
        Transfer("RETR one", Data::Send, "abc"),
        Answer("SIZE two", "550 Not found.\r\n"),
        Pasv(),
        Transfer("RETR two", Data::Send, "xy"),
    }));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    std::vector<std::wstring> lines;
    ASSERT_TRUE(client->List(L"", lines));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b", L"c"}), lines);
    TempFile one(L"one");
    TempFile two(L"two");
    ASSERT_TRUE(client->DownloadFile(L"one", one.Path(), kImage));
    ASSERT_TRUE(client->DownloadFile(L"two", two.Path(), kImage));
    EXPECT_EQ("abc", ReadBytes(one.Path()));
    EXPECT_EQ("xy", ReadBytes(two.Path()));
    EXPECT_EQ((std::vector<std::string>{"PASV", "LIST", "TYPE I", "SIZE one", "PASV", "RETR one", "SIZE two", "PASV",
                                        "RETR two"}),
              AfterLogon(server));
    EXPECT_TRUE(observer.errors.empty());
}

TEST(FtpTransfer, PassiveDataGoesToTheControlConnectionsPeer)
{
    // The reply names another host; only its port is taken.
    CScriptedFtpServer server(LoggedOn({
        Answer("PASV", "227 Entering Passive Mode (10,0,0,1{PASVPORT}).\r\n"),
        Transfer("NLST", Data::Send, "a\r\nb\r\n"),
    }));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    std::vector<std::wstring> names;
    EXPECT_TRUE(client->NameList(L"", names));
    EXPECT_EQ((std::vector<std::wstring>{L"a", L"b"}), names);
}

TEST(FtpTransfer, ActiveDataListensOnTheControlConnectionsAddress)
{
    const std::string bytes = TestBytes(100000);
    CScriptedFtpServer server(LoggedOn({
        Answer("TYPE I", "200 Binary.\r\n"),
        Answer("SIZE f", "213 100000\r\n"),
        Answer("PORT 127,0,0,1,*", "200 OK.\r\n"),
        Transfer("RETR f", Data::Send, bytes),
    }));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    TempFile local(L"active");
    ASSERT_TRUE(client->DownloadFile(L"f", local.Path(), kImage, false));
    EXPECT_EQ(bytes, ReadBytes(local.Path()));
}

TEST(FtpTransfer, AServerThatNeverConnectsBackEndsWithinTheTimeOut)
{
    CScriptedFtpServer server(LoggedOn({
        Answer("TYPE I", "200 Binary.\r\n"),
        Answer("SIZE f", "213 5\r\n"),
        Answer("PORT *", "200 OK.\r\n"),
        Transfer("RETR f", Data::NoConnection, "", "425 Can't open data connection.\r\n"),
        Answer("DELE f", "250 Deleted.\r\n"),
    }));
    RecordingObserver observer;
    auto client = LogOn(server, observer, 1);
    TempFile local(L"never");
    const auto start = Clock::now();
    EXPECT_FALSE(client->DownloadFile(L"f", local.Path(), kImage, false));
    EXPECT_LT(Clock::now() - start, kWithinShortTimeOuts);
    ASSERT_FALSE(observer.errors.empty());
    EXPECT_EQ(L"Accept timeout error", observer.errors.back());
    // The 425 was the transfer's: DELE gets its own reply.
    EXPECT_EQ(0, client->Delete(L"f"));

    // Nothing listens any more where the PORT pointed.
    const std::string port = AfterLogon(server)[2];
    unsigned h[4], p[2];
    ASSERT_EQ(6, sscanf(port.c_str(), "PORT %u,%u,%u,%u,%u,%u", &h[0], &h[1], &h[2], &h[3], &p[0], &p[1]));
    CInetAddress address;
    ASSERT_TRUE(address.Set(static_cast<unsigned short>(p[0] * 256 + p[1]), "127.0.0.1"));
    CTcpStream probe;
    EXPECT_FALSE(CTcpConnector().Connect(probe, address, CTimeValue::FromMilliseconds(2000)));
}

TEST(FtpTransfer, AServerThatStopsMidTransferEndsWithinTheTimeOut)
{
    struct Case { const char* name; std::string finalReply; };
    const Case cases[] = {
        {"with a final reply once the client gives up", "426 Connection closed; transfer aborted.\r\n"},
        {"without any further reply", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool replies = !c.finalReply.empty();
        std::vector<FtpStep> steps = {Pasv(), Transfer("NLST f", Data::SendThenStall, "partial", c.finalReply)};
        if (replies) {
            steps.push_back(Answer("DELE f", "250 Deleted.\r\n"));
        } else {
            steps.push_back(Greeting());
            steps.push_back(Answer("USER u1", "230 In.\r\n"));
            steps.push_back(Answer("CWD /", "250 OK.\r\n"));
            steps.push_back(Answer("DELE f", "250 Deleted.\r\n"));
        }
        CScriptedFtpServer server(LoggedOn(steps));
        RecordingObserver observer;
        auto client = LogOn(server, observer, 1);
        std::vector<std::wstring> lines = {L"kept"};
        const auto start = Clock::now();
        EXPECT_FALSE(client->NameList(L"f", lines));
        EXPECT_LT(Clock::now() - start, kWithinShortTimeOuts);
        EXPECT_EQ(std::vector<std::wstring>{L"kept"}, lines) << "a failed listing leaves the output";
        ASSERT_FALSE(observer.errors.empty());
        EXPECT_EQ(L"Receive timeout error", observer.errors.front());
        // Either the final reply was read, or the connection is closed.
        EXPECT_EQ(replies, client->IsConnected());
        if (!replies) {
            ASSERT_TRUE(client->Login(LoopbackLogon(server.Port())));
        }
        EXPECT_EQ(0, client->Delete(L"f"));
    }
}

TEST(FtpTransfer, AnAbortReadsBothOfItsReplies)
{
    struct Case { const char* name; std::string transferReply; std::vector<std::string> abortReplies; };
    const Case cases[] = {
        {"aborted while running", "", {"426 Transfer aborted.\r\n", "226 Abort successful.\r\n"}},
        {"finished before the abort came", "226 Transfer complete.\r\n", {"225 No transfer to abort.\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FtpStep abort;
        abort.command = "ABOR";
        abort.reply = c.abortReplies;
        CScriptedFtpServer server(LoggedOn({Answer("TYPE I", "200 Binary.\r\n"), Answer("SIZE f", "550 No size.\r\n"),
                                            Pasv(), Transfer("RETR f", Data::Send, TestBytes(65536), c.transferReply),
                                            abort, Answer("NOOP", "200 OK.\r\n")}));
        CFTPClient* aborting = nullptr;
        StoppingObserver observer(aborting, 1);
        auto client = LogOn(server, observer);
        aborting = client.get();
        TempFile local(L"aborted");
        EXPECT_FALSE(client->DownloadFile(L"f", local.Path(), kImage));
        aborting = nullptr;
        EXPECT_EQ(0, client->Noop()) << "the replies stay in step";
        EXPECT_EQ((std::vector<std::string>{"TYPE I", "SIZE f", "PASV", "RETR f", "ABOR", "NOOP"}), AfterLogon(server));
    }
}

TEST(FtpTransfer, UploadResumesOnlyFromATrueBeginning)
{
    const std::string bytes = TestBytes(1500);
    struct Case { const char* sizeReply; const char* command; size_t from; };
    const Case cases[] = {
        {"550 No such file.\r\n", "STOR f", 0},
        {"213 1000\r\n", "APPE f", 1000},
        {"213 1500\r\n", "STOR f", 0},  // already as long: sent again whole
        {"213 2000\r\n", "STOR f", 0},  // longer: not this file's beginning
        {"213 0\r\n", "STOR f", 0},
        {"550 5 files missing\r\n", "STOR f", 0},
    };
    TempFile local(L"upload");
    ASSERT_TRUE(WriteBytes(local.Path(), bytes));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sizeReply);
        CScriptedFtpServer server(LoggedOn({Answer("TYPE I", "200 Binary.\r\n"), Answer("SIZE f", c.sizeReply), Pasv(),
                                            Transfer(c.command, Data::Receive)}));
        RecordingObserver observer;
        auto client = LogOn(server, observer);
        EXPECT_TRUE(client->UploadFile(local.Path(), L"f", false, kImage));
        EXPECT_EQ((std::vector<std::string>{"TYPE I", "SIZE f", "PASV", c.command}), AfterLogon(server));
        EXPECT_TRUE(server.ReceivedData() == bytes.substr(c.from)) << server.ReceivedData().size() << " bytes";
    }
}

TEST(FtpTransfer, UploadWithoutResumeOrAsUniqueName)
{
    struct Case { bool resume; bool unique; std::vector<std::string> commands; };
    const Case cases[] = {
        {false, false, {"TYPE I", "PASV", "STOR f"}},
        {false, true, {"TYPE I", "PASV", "STOU f"}},
        {true, true, {"TYPE I", "SIZE f", "PASV", "STOU f"}},
    };
    TempFile local(L"unique");
    ASSERT_TRUE(WriteBytes(local.Path(), "data"));
    for (const Case& c : cases) {
        std::vector<FtpStep> steps;
        for (const std::string& command : c.commands) {
            if (command == "PASV")
                steps.push_back(Pasv());
            else if (command.compare(0, 2, "ST") == 0)
                steps.push_back(Transfer(command, Data::Receive));
            else
                steps.push_back(Answer(command, command == "SIZE f" ? "550 No.\r\n" : "200 OK.\r\n"));
        }
        CScriptedFtpServer server(LoggedOn(steps));
        RecordingObserver observer;
        auto client = LogOn(server, observer);
        client->SetResumeMode(c.resume);
        EXPECT_TRUE(client->UploadFile(local.Path(), L"f", c.unique, kImage));
        EXPECT_EQ(c.commands, AfterLogon(server));
        EXPECT_EQ("data", server.ReceivedData());
    }
}

TEST(FtpTransfer, DownloadResumesAtTheLocalLength)
{
    const std::string bytes = TestBytes(800);
    TempFile local(L"resume");
    ASSERT_TRUE(WriteBytes(local.Path(), bytes.substr(0, 500)));
    CScriptedFtpServer server(LoggedOn({Answer("TYPE I", "200 Binary.\r\n"), Answer("SIZE f", "213 800\r\n"), Pasv(),
                                        Answer("REST 500", "350 Restarting at 500.\r\n"),
                                        Transfer("RETR f", Data::Send, bytes.substr(500))}));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    ASSERT_TRUE(client->DownloadFile(L"f", local.Path(), kImage));
    EXPECT_TRUE(ReadBytes(local.Path()) == bytes);
}

TEST(FtpTransfer, ALocalFileThatCannotBeWrittenFailsTheDownload)
{
    // Every write to the Linux full device fails for want of space: at once
    // for a large file, only when the file is closed for a small one.
    struct Case { const char* name; size_t size; bool aborts; };
    const Case cases[] = {{"large", 262144, true}, {"small", 100, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<FtpStep> steps = {Answer("TYPE I", "200 Binary.\r\n"), Answer("SIZE f", "550 No size.\r\n"),
                                      Pasv(), Transfer("RETR f", Data::Send, TestBytes(c.size))};
        if (c.aborts)
            steps.push_back(Answer("ABOR", "225 No transfer to abort.\r\n"));
        steps.push_back(Answer("NOOP", "200 OK.\r\n"));
        CScriptedFtpServer server(LoggedOn(steps));
        RecordingObserver observer;
        auto client = LogOn(server, observer);
        EXPECT_FALSE(client->DownloadFile(L"f", L"Z:\\dev\\full", kImage));
        ASSERT_EQ(1u, observer.errors.size()) << "the local file's error is told once";
        EXPECT_NE(L"Local file error.", observer.errors[0]) << "with the system's text";
        EXPECT_EQ(0, client->Noop());
    }
}

TEST(FtpTransfer, ALocalFileThatCannotBeReadFailsTheUpload)
{
    // Linux's memory file opens but gives a read error, which is no end of file.
    FtpStep abort;
    abort.command = "ABOR";
    abort.reply = {"426 Transfer aborted.\r\n", "226 Abort successful.\r\n"};
    CScriptedFtpServer server(LoggedOn({Answer("TYPE I", "200 Binary.\r\n"), Answer("SIZE f", "550 No size.\r\n"),
                                        Pasv(), Transfer("STOR f", Data::Receive, "", ""), abort,
                                        Answer("NOOP", "200 OK.\r\n")}));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    EXPECT_FALSE(client->UploadFile(L"Z:\\proc\\self\\mem", L"f", false, kImage));
    EXPECT_FALSE(observer.errors.empty());
    EXPECT_EQ(0, client->Noop());
    EXPECT_EQ((std::vector<std::string>{"TYPE I", "SIZE f", "PASV", "STOR f", "ABOR", "NOOP"}), AfterLogon(server));
}

TEST(FtpTransfer, ADownloadWithoutAConnectionLeavesTheLocalFile)
{
    TempFile local(L"kept");
    ASSERT_TRUE(WriteBytes(local.Path(), "precious"));
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
    client.SetResumeMode(false);
    EXPECT_FALSE(client.DownloadFile(L"f", local.Path()));
    EXPECT_EQ("precious", ReadBytes(local.Path()));
}

TEST(FtpTransfer, AMissingLocalFileSendsNothing)
{
    CScriptedFtpServer server(LoggedOn({Answer("NOOP", "200 OK.\r\n")}));
    RecordingObserver observer;
    auto client = LogOn(server, observer);
    TempFile missing(L"missing");
    EXPECT_FALSE(client->UploadFile(missing.Path(), L"f"));
    ASSERT_EQ(1u, observer.errors.size());
    EXPECT_FALSE(observer.errors[0].empty());
    EXPECT_EQ(0, client->Noop());
    EXPECT_EQ(std::vector<std::string>{"NOOP"}, AfterLogon(server));
}

TEST(FtpTransfer, AFailedDataConnectionSendsNoDataCommand)
{
    CTcpListener probe;
    ASSERT_TRUE(probe.Open(0));
    const unsigned short refusing = probe.Port();
    probe.Close();
    CUnansweredListener silent;
    ASSERT_TRUE(silent.Open());

    struct Case { const char* name; unsigned short port; const wchar_t* error; };
    const Case cases[] = {
        {"refused", refusing, L"Connect error 0x0000274d"},
        {"never answered", silent.Port(), L"Connect timeout error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string reply = "227 Entering Passive Mode (127,0,0,1," + std::to_string(c.port >> 8) + "," +
                                  std::to_string(c.port & 0xFF) + ").\r\n";
        CScriptedFtpServer server(LoggedOn({Answer("PASV", reply), Answer("NOOP", "200 OK.\r\n")}));
        RecordingObserver observer;
        auto client = LogOn(server, observer, 1);
        std::vector<std::wstring> lines;
        const auto start = Clock::now();
        EXPECT_FALSE(client->List(L"", lines));
        EXPECT_LT(Clock::now() - start, kWithinShortTimeOuts);
        ASSERT_EQ(1u, observer.errors.size());
        EXPECT_EQ(c.error, observer.errors[0]);
        EXPECT_EQ(0, client->Noop());
        EXPECT_EQ((std::vector<std::string>{"PASV", "NOOP"}), AfterLogon(server));
    }
}

TEST(FtpTransfer, ListingsParseEveryFormatAndKeepTheirPath)
{
    const std::string listing =
        "-rw-r--r-- 1 o g 1234 Jan 5 2023 a.bin\r\n"
        "total 3\r\n"
        "+/,\tdocs\r\n"
        "04-27-00  09:09PM  <DIR>  old";
    CScriptedFtpServer server(LoggedOn({Pasv(), Transfer("LIST /pub/", Data::Send, listing), Pasv(),
                                        Transfer("LIST /pub/", Data::Send, listing), Pasv(),
                                        Transfer("NLST /pub/", Data::Send, "x\r\ny\r\n"), Pasv(),
                                        Transfer("LIST /gone/", Data::NoConnection, "", "")}));
    RecordingObserver observer;
    auto client = LogOn(server, observer);

    nsFTP::TFTPFileStatusShPtrVec statuses;
    ASSERT_TRUE(client->List(L"/pub/", statuses));
    ASSERT_EQ(3u, statuses.size());
    EXPECT_EQ(L"a.bin", statuses[0]->name);
    EXPECT_EQ(1234, statuses[0]->size);
    EXPECT_EQ(L"docs", statuses[1]->name);
    EXPECT_TRUE(statuses[1]->tryCWD);
    EXPECT_EQ(L"old", statuses[2]->name);
    for (const auto& status : statuses)
        EXPECT_EQ(L"/pub/", status->path);

    std::vector<std::wstring> lines;
    ASSERT_TRUE(client->List(L"/pub/", lines));
    ASSERT_EQ(4u, lines.size());
    EXPECT_EQ(L"/pub/total 3", lines[1]);
    EXPECT_EQ(L"/pub/04-27-00  09:09PM  <DIR>  old", lines[3]);

    nsFTP::TFTPFileStatusShPtrVec names;
    ASSERT_TRUE(client->NameList(L"/pub/", names));
    ASSERT_EQ(2u, names.size());
    EXPECT_EQ(L"y", names[1]->name);
    EXPECT_EQ(L"/pub/", names[1]->path);

    // The server never opens the data connection: the earlier result stays.
    EXPECT_FALSE(client->List(L"/gone/", statuses));
    EXPECT_EQ(3u, statuses.size());
}
