// Logon against the scripted server, which checks the exact sequence.
#include <gtest/gtest.h>

#include "platform/net/test/InetAddressTestSupport.h"
#include "textvote/ftp/test/ScriptedServerTestSupport.h"
#include "textvote/socket/test/SocketTestSupport.h"

using nsFTP::CFirewallKind;
using nsFTP::CFTPClient;
using nsFTP::CLogonRecord;

namespace {

struct Exchange {
    const char* command;
    const char* reply;
};

// The remote host text the firewall kinds carry: host:port as the port is not 21.
const char* const kRemote = "ftp.example.com:2121";

CLogonRecord ThroughFirewall(int kind, unsigned short firewallPort)
{
    return CLogonRecord(L"ftp.example.com", 2121, L"u1", L"p1", L"acct", L"127.0.0.1", L"fw1", L"fp1", firewallPort,
                        CFirewallKind(kind));
}

std::vector<FtpStep> Script(const std::vector<Exchange>& exchanges, bool changesDirectory)
{
    std::vector<FtpStep> script = {Greeting()};
    for (const Exchange& e : exchanges)
        script.push_back(Answer(e.command, e.reply));
    if (changesDirectory)
        script.push_back(Answer("CWD /", "250 \"/\" is the current directory.\r\n"));
    return script;
}

std::vector<std::string> CommandsOf(const std::vector<Exchange>& exchanges, bool changesDirectory)
{
    std::vector<std::string> commands;
    for (const Exchange& e : exchanges)
        commands.push_back(e.command);
    if (changesDirectory)
        commands.push_back("CWD /");
    return commands;
}

std::string Remote(const std::string& prefix, const std::string& suffix = std::string())
{
    return prefix + kRemote + suffix;
}

}  // namespace

TEST(FtpLogon, EveryFirewallKindSendsItsSequence)
{
    struct Case {
        const char* name;
        int kind;
        std::vector<Exchange> exchanges;
        bool logsOn;
    };
    const std::string site = Remote("SITE ");
    const std::string userAtHost = Remote("USER u1@");
    const std::string open = Remote("OPEN ");
    const std::string fwUserAtHost = Remote("USER fw1@");
    const std::string userAtHostFw = Remote("USER u1@", " fw1");
    const std::string userAtFwAtHost = Remote("USER u1@fw1@");
    const Case cases[] = {
        {"no firewall, user then password then account", CFirewallKind::NoFirewall,
         {{"USER u1", "331 Password.\r\n"}, {"PASS p1", "332 Account.\r\n"}, {"ACCT acct", "230 In.\r\n"}}, true},
        {"no firewall, user alone is enough", CFirewallKind::NoFirewall, {{"USER u1", "230 In.\r\n"}}, true},
        {"SITE hostname", CFirewallKind::SiteHostname,
         {{"USER fw1", "331 Password.\r\n"},
          {"PASS fp1", "230 Firewall passed.\r\n"},
          {site.c_str(), "331 Connected.\r\n"},
          {"USER u1", "331 Password.\r\n"},
          {"PASS p1", "230 In.\r\n"}},
         true},
        {"SITE hostname answered with a completion fails", CFirewallKind::SiteHostname,
         {{"USER fw1", "230 Firewall passed.\r\n"}, {site.c_str(), "200 Fine.\r\n"}}, false},
        {"USER after logon", CFirewallKind::UserAfterLogon,
         {{"USER fw1", "331 Password.\r\n"},
          {"PASS fp1", "230 Firewall passed.\r\n"},
          {userAtHost.c_str(), "331 Password.\r\n"},
          {"PASS p1", "332 Account.\r\n"},
          {"ACCT acct", "230 In.\r\n"}},
         true},
        {"proxy OPEN answered with a completion", CFirewallKind::ProxyOpen,
         {{open.c_str(), "220 Connected.\r\n"}, {"USER u1", "331 Password.\r\n"}, {"PASS p1", "230 In.\r\n"}}, true},
        {"proxy OPEN answered with an intermediate reply", CFirewallKind::ProxyOpen,
         {{open.c_str(), "350 Go on.\r\n"}, {"USER u1", "331 Password.\r\n"}, {"PASS p1", "230 In.\r\n"}}, true},
        {"Transparent", CFirewallKind::Transparent,
         {{"USER fw1", "331 Password.\r\n"},
          {"PASS fp1", "230 Firewall passed.\r\n"},
          {"USER u1", "331 Password.\r\n"},
          {"PASS p1", "230 In.\r\n"}},
         true},
        {"USER with no logon", CFirewallKind::UserWithNoLogon,
         {{userAtHost.c_str(), "331 Password.\r\n"}, {"PASS p1", "230 In.\r\n"}}, true},
        {"USER fireID@remotehost", CFirewallKind::UserFireIdAtRemoteHost,
         {{fwUserAtHost.c_str(), "331 Password.\r\n"},
          {"PASS fp1", "230 Firewall passed.\r\n"},
          {"USER u1", "331 Password.\r\n"},
          {"PASS p1", "230 In.\r\n"}},
         true},
        {"USER remoteID@remotehost fireID", CFirewallKind::UserRemoteIdAtRemoteHostFireId,
         {{userAtHostFw.c_str(), "331 Password.\r\n"}, {"PASS p1", "230 In.\r\n"}}, true},
        {"USER remoteID@remotehost fireID answered with a completion fails",
         CFirewallKind::UserRemoteIdAtRemoteHostFireId, {{userAtHostFw.c_str(), "230 In.\r\n"}}, false},
        {"USER remoteID@fireID@remotehost", CFirewallKind::UserRemoteIdAtFireIdAtRemoteHost,
         {{userAtFwAtHost.c_str(), "331 Password.\r\n"}, {"PASS p1@fp1", "230 In.\r\n"}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedFtpServer server(Script(c.exchanges, c.logsOn));
        ASSERT_NE(0, server.Port());
        RecordingObserver observer;
        CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
        client.AttachObserver(&observer);
        const CLogonRecord logon = c.kind == CFirewallKind::NoFirewall
                                       ? CLogonRecord(L"127.0.0.1", server.Port(), L"u1", L"p1", L"acct")
                                       : ThroughFirewall(c.kind, server.Port());
        EXPECT_EQ(c.logsOn, client.Login(logon));
        EXPECT_EQ(CommandsOf(c.exchanges, c.logsOn), server.Commands());
        if (!c.logsOn)
            EXPECT_EQ(std::vector<std::wstring>{L"Logon failed."}, observer.errors);
        else
            EXPECT_TRUE(observer.errors.empty());
    }
}

TEST(FtpLogon, ObserversNeverSeePasswordsOrAccounts)
{
    const std::vector<Exchange> exchanges = {
        {"USER u1@fw1@ftp.example.com:2121", "331 Password.\r\n"},
        {"PASS p1@fp1", "332 Account.\r\n"},
        {"ACCT acct", "230 In.\r\n"}};
    CScriptedFtpServer server(Script(exchanges, true));
    RecordingObserver observer;
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
    client.AttachObserver(&observer);
    ASSERT_TRUE(client.Login(ThroughFirewall(CFirewallKind::UserRemoteIdAtFireIdAtRemoteHost, server.Port())));
    const std::vector<std::wstring> shown = {L"USER u1@fw1@ftp.example.com:2121", L"PASS ******", L"ACCT ******",
                                             L"CWD /"};
    EXPECT_EQ(shown, observer.commands);
}

TEST(FtpLogon, GreetingAndMultiLineReplies)
{
    struct Case {
        const char* name;
        std::vector<std::string> greeting;
        std::vector<std::string> userReply;
        bool logsOn;
        std::wstring lastReply;  // what the observers were told of USER's reply
    };
    const Case cases[] = {
        {"a wait (120) before the greeting", {"120 Soon.\r\n", "220 Ready.\r\n"}, {"230 In.\r\n"}, true, L"230 In."},
        {"a wait followed by a refusal", {"120 Soon.\r\n", "421 Too busy.\r\n"}, {}, false, L""},
        {"a refusing greeting", {"421 Too busy.\r\n"}, {}, false, L""},
        {"a multi-line reply",
         {"220 Ready.\r\n"},
         {"230-Welcome\r\n230-more\r\n", "230 done\r\n"},
         true,
         L"230-Welcome\r\n230-more\r\n230 done"},
        {"another code does not end it",
         {"220 Ready.\r\n"},
         {"230-x\r\n231 y\r\n", "230 z\r\n"},
         true,
         L"230-x\r\n231 y\r\n230 z"},
        {"a line split between two receives", {"22", "0 Ready.\r\n"}, {"2", "30 In.\r\n"}, true, L"230 In."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FtpStep greeting;
        greeting.reply = c.greeting;
        std::vector<FtpStep> script = {greeting};
        if (!c.userReply.empty()) {
            FtpStep user;
            user.command = "USER u1";
            user.reply = c.userReply;
            script.push_back(user);
            script.push_back(Answer("CWD /", "250 OK.\r\n"));
            script.push_back(Answer("NOOP", "200 OK.\r\n"));
        }
        CScriptedFtpServer server(script);
        RecordingObserver observer;
        CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
        client.AttachObserver(&observer);
        EXPECT_EQ(c.logsOn, client.Login(LoopbackLogon(server.Port())));
        if (c.logsOn) {
            ASSERT_GE(observer.replies.size(), 2u);
            EXPECT_EQ(c.lastReply, observer.replies[observer.replies.size() - 2]);
            EXPECT_EQ(0, client.Noop()) << "the next reply is still the next command's";
        }
    }
}

TEST(FtpLogon, ANegativeRootDirectoryFailsTheLogon)
{
    CScriptedFtpServer server({Greeting(), Answer("USER u1", "230 In.\r\n"), Answer("CWD /", "550 No root.\r\n")});
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
    EXPECT_FALSE(client.Login(LoopbackLogon(server.Port())));
    EXPECT_EQ((std::vector<std::string>{"USER u1", "CWD /"}), server.Commands());
}

TEST(FtpLogon, ASilentServerTimesOutAndTheClientLogsOnAgain)
{
    // The first connection is never greeted; the second is.
    FtpStep silent;
    CScriptedFtpServer server({silent, Greeting(), Answer("USER u1", "230 In.\r\n"), Answer("CWD /", "250 OK.\r\n")});
    RecordingObserver observer;
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), 1);
    client.AttachObserver(&observer);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Login(LoopbackLogon(server.Port())));
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, kWithinShortTimeOuts);
    EXPECT_FALSE(client.IsConnected());
    ASSERT_FALSE(observer.errors.empty());
    EXPECT_EQ(L"Receive timeout error", observer.errors.back());
    EXPECT_EQ(L".\\FTP\\FTPClient.cpp", observer.sourceFiles.back());

    EXPECT_TRUE(client.Login(LoopbackLogon(server.Port())));
}

TEST(FtpLogon, AServerThatNeverAnswersTheConnectFailsWithinTheTimeOut)
{
    CUnansweredListener silent;
    ASSERT_TRUE(silent.Open());
    RecordingObserver observer;
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), 1);
    client.AttachObserver(&observer);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Login(LoopbackLogon(silent.Port())));
    EXPECT_LT(std::chrono::steady_clock::now() - start, kWithinShortTimeOuts);
    EXPECT_FALSE(client.IsConnected());
    EXPECT_TRUE(observer.commands.empty());
    ASSERT_EQ(1u, observer.errors.size());
    EXPECT_EQ(L"Connect timeout error", observer.errors[0]);
}

TEST(FtpLogon, AHostNameNotResolvedWithinTheTimeOutFailsTheLogon)
{
    CHeldNameLookup lookup(true);
    RecordingObserver observer;
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), 1);
    client.AttachObserver(&observer);

    EXPECT_FALSE(client.Login(nsFTP::CLogonRecord(L"ftp.example.com", 21, L"u1", L"p1", L"")));
    EXPECT_FALSE(client.IsConnected());
    EXPECT_TRUE(observer.commands.empty());
    ASSERT_EQ(1u, observer.errors.size());
    EXPECT_EQ(L"GetHostByName error 0x0000274c", observer.errors[0]);
    EXPECT_EQ(std::vector<std::string>{"ftp.example.com"}, lookup.Hosts());
    EXPECT_TRUE(lookup.ReleaseAndWaitForWorkers(1));
}

TEST(FtpLogon, LogoutAlwaysClosesTheConnection)
{
    struct Case { const char* quitReply; int result; };
    const Case cases[] = {{"221 Bye.\r\n", 0}, {"xyz\r\n", -1}, {"500 What?\r\n", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quitReply);
        CScriptedFtpServer server(
            {Greeting(), Answer("USER u1", "230 In.\r\n"), Answer("CWD /", "250 OK.\r\n"), Answer("QUIT", c.quitReply)});
        CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
        ASSERT_TRUE(client.Login(LoopbackLogon(server.Port())));
        EXPECT_EQ(c.result, client.Logout());
        EXPECT_FALSE(client.IsConnected());
    }
}

TEST(FtpLogon, LoggingOnAgainQuitsTheOpenConnectionFirst)
{
    const std::vector<FtpStep> logon = {Greeting(), Answer("USER u1", "230 In.\r\n"), Answer("CWD /", "250 OK.\r\n")};
    std::vector<FtpStep> script = logon;
    script.push_back(Answer("QUIT", "221 Bye.\r\n"));
    script.insert(script.end(), logon.begin(), logon.end());
    CScriptedFtpServer server(script);
    CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), kScriptedTimeout);
    ASSERT_TRUE(client.Login(LoopbackLogon(server.Port())));
    ASSERT_TRUE(client.Login(LoopbackLogon(server.Port())));
    EXPECT_EQ((std::vector<std::string>{"USER u1", "CWD /", "QUIT", "USER u1", "CWD /"}), server.Commands());
}
