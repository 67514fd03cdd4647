// Logon through a real forward proxy (proftpd's mod_proxy) in front of the
// real server, for the firewall kinds the proxy speaks.
#include <gtest/gtest.h>

#include "textvote/ftp/test/FTPServerTestSupport.h"

using nsFTP::CFirewallKind;
using nsFTP::CFTPClient;
using nsFTP::CRepresentation;

TEST(FtpProxyLogon, EachKindTheProxySpeaksLogsOnAndTransfers)
{
    const std::wstring target = L"127.0.0.1:" + Setting(L"FTP_PEER_PORT");
    struct Case {
        int kind;
        const wchar_t* portSetting;
        std::vector<std::wstring> commands;
    };
    const Case cases[] = {
        {CFirewallKind::UserAfterLogon, L"FTP_PROXY_USER_AFTER_LOGON_PORT",
         {L"USER fw1", L"PASS ******", L"USER u1@" + target, L"PASS ******", L"CWD /"}},
        {CFirewallKind::UserWithNoLogon, L"FTP_PROXY_USER_WITH_NO_LOGON_PORT",
         {L"USER u1@" + target, L"PASS ******", L"CWD /"}},
        {CFirewallKind::UserFireIdAtRemoteHost, L"FTP_PROXY_FIREID_AT_HOST_PORT",
         {L"USER fw1@" + target, L"PASS ******", L"USER u1", L"PASS ******", L"CWD /"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CFirewallKind(c.kind).AsDisplayString());
        nsFTP::CLogonRecord logon = ServerLogon();
        logon.SetFirewall(L"127.0.0.1", Setting(L"FTP_PROXY_USER"), Setting(L"FTP_PROXY_PASSWORD"),
                          PortSetting(c.portSetting), CFirewallKind(c.kind));
        RecordingObserver observer;
        CFTPClient client(nsSocket::CreateDefaultBlockingSocket(), 10);
        client.AttachObserver(&observer);
        ASSERT_TRUE(client.Login(logon));
        EXPECT_EQ(c.commands, observer.commands);

        // The data connections pass the proxy both ways.
        const std::string bytes = TestBytes(70000);
        TempFile source(L"proxied.bin");
        ASSERT_TRUE(WriteBytes(source.Path(), bytes));
        for (const bool passive : {true, false}) {
            const std::wstring remote =
                L"proxied-" + std::to_wstring(c.kind) + (passive ? L"-passive.bin" : L"-active.bin");
            ASSERT_TRUE(client.UploadFile(source.Path(), remote, false, CRepresentation(CRepresentation::Type::Image),
                                          passive));
            EXPECT_TRUE(ReadBytes(ServedPath(remote)) == bytes);
        }
        EXPECT_EQ(0, client.Logout());
    }
}
