// Logging on: the greeting, then the command sequence of the firewall kind.
#include "textvote/ftp/FTPClient.h"

#include "textvote/ftp/ClientErrors.h"

namespace nsFTP {

namespace {

enum class LogonCommand {
    User,
    Password,
    Account,
    FirewallUser,
    FirewallPassword,
    Site,
    UserAtHost,
    Open,
    FirewallUserAtHost,
    UserAtHostFirewallUser,
    UserAtFirewallUserAtHost,
    PasswordAtFirewallPassword,
};

const int kDone = -1;
const int kFail = -2;

// A command and the next step after a 2xx and after a 3xx reply.
struct LogonStep {
    LogonCommand command;
    int onCompletion;
    int onIntermediate;
};

struct LogonTable {
    const LogonStep* steps;
    int count;
};

using C = LogonCommand;
const LogonStep kNoFirewall[] = {{C::User, kDone, 1}, {C::Password, kDone, 2}, {C::Account, kDone, kFail}};
const LogonStep kSiteHostname[] = {{C::FirewallUser, 2, 1}, {C::FirewallPassword, 2, kFail}, {C::Site, kFail, 3},
                                   {C::User, kDone, 4},     {C::Password, kDone, 5},         {C::Account, kDone, kFail}};
const LogonStep kUserAfterLogon[] = {{C::FirewallUser, 2, 1}, {C::FirewallPassword, 2, kFail}, {C::UserAtHost, kDone, 3},
                                     {C::Password, kDone, 4}, {C::Account, kDone, kFail}};
const LogonStep kProxyOpen[] = {{C::Open, 1, 1}, {C::User, kDone, 2}, {C::Password, kDone, 3}, {C::Account, kDone, kFail}};
const LogonStep kTransparent[] = {{C::FirewallUser, 2, 1}, {C::FirewallPassword, 2, kFail}, {C::User, kDone, 3},
                                  {C::Password, kDone, 4}, {C::Account, kDone, kFail}};
const LogonStep kUserWithNoLogon[] = {{C::UserAtHost, kDone, 1}, {C::Password, kDone, 2}, {C::Account, kDone, kFail}};
const LogonStep kUserFireIdAtRemoteHost[] = {{C::FirewallUserAtHost, 2, 1}, {C::FirewallPassword, 2, kFail},
                                             {C::User, kDone, 3}, {C::Password, kDone, 4}, {C::Account, kDone, kFail}};
const LogonStep kUserRemoteIdAtRemoteHostFireId[] = {{C::UserAtHostFirewallUser, kFail, 1}, {C::Password, kDone, 2},
                                                     {C::Account, kDone, kFail}};
const LogonStep kUserRemoteIdAtFireIdAtRemoteHost[] = {{C::UserAtFirewallUserAtHost, kDone, 1},
                                                       {C::PasswordAtFirewallPassword, kDone, 2},
                                                       {C::Account, kDone, kFail}};

template <size_t N>
LogonTable Table(const LogonStep (&steps)[N])
{
    return {steps, static_cast<int>(N)};
}

// Indexed by the firewall kind.
const LogonTable kTables[] = {
    Table(kNoFirewall),           Table(kSiteHostname),           Table(kUserAfterLogon),
    Table(kProxyOpen),            Table(kTransparent),            Table(kUserWithNoLogon),
    Table(kUserFireIdAtRemoteHost), Table(kUserRemoteIdAtRemoteHostFireId), Table(kUserRemoteIdAtFireIdAtRemoteHost),
};

std::wstring CommandText(LogonCommand command, const CLogonRecord& logon)
{
    std::wstring host = logon.Hostname();
    if (logon.Hostport() != 21)
        host += L":" + std::to_wstring(logon.Hostport());
    switch (command) {
    case C::User:
        return L"USER " + logon.Username();
    case C::Password:
        return L"PASS " + logon.Password();
    case C::Account:
        return L"ACCT " + logon.Account();
    case C::FirewallUser:
        return L"USER " + logon.FwUsername();
    case C::FirewallPassword:
        return L"PASS " + logon.FwPassword();
    case C::Site:
        return L"SITE " + host;
    case C::UserAtHost:
        return L"USER " + logon.Username() + L"@" + host;
    case C::Open:
        return L"OPEN " + host;
    case C::FirewallUserAtHost:
        return L"USER " + logon.FwUsername() + L"@" + host;
    case C::UserAtHostFirewallUser:
        return L"USER " + logon.Username() + L"@" + host + L" " + logon.FwUsername();
    case C::UserAtFirewallUserAtHost:
        return L"USER " + logon.Username() + L"@" + logon.FwUsername() + L"@" + host;
    case C::PasswordAtFirewallPassword:
        return L"PASS " + logon.Password() + L"@" + logon.FwPassword();
    }
    return std::wstring();
}

}  // namespace

bool CFTPClient::Login(const CLogonRecord& logon)
{
    return Guarded(false, [&] {
        m_logon = logon;
        const bool direct = logon.FwType() == CFirewallKind::NoFirewall;
        const std::wstring& host = direct ? logon.Hostname() : logon.FwHost();
        const unsigned short port = direct ? logon.Hostport() : logon.FwPort();

        if (IsConnected())
            Logout();
        if (!OpenControlConnection(host, port))
            return false;

        // A server may ask the client to wait (120) before it is ready (220).
        CReply greeting;
        if (!GetResponse(greeting))
            return false;
        if (greeting.IsPositivePreliminaryReply() && !GetResponse(greeting))
            return false;
        if (!greeting.IsPositiveCompletionReply())
            return false;

        if (!WalkLogonTable())
            return false;
        return ChangeWorkingDirectory(L"/") == 0;
    });
}

bool CFTPClient::WalkLogonTable()
{
    const int kind = m_logon.FwType().AsInt();
    if (kind < 0 || kind >= static_cast<int>(sizeof kTables / sizeof kTables[0]))
        return false;
    const LogonTable& table = kTables[kind];
    // Every step leads forward, so the walk ends.
    for (int step = 0; step >= 0 && step < table.count;) {
        const LogonStep& current = table.steps[step];
        CReply reply;
        if (!SendCommandAndGetReply(CommandText(current.command, m_logon), reply))
            return false;
        int next;
        if (reply.IsPositiveCompletionReply())
            next = current.onCompletion;
        else if (reply.IsPositiveIntermediateReply())
            next = current.onIntermediate;
        else
            return false;
        if (next == kDone)
            return true;
        if (next == kFail) {
            ReportError(kLogonFailed, __LINE__);
            return false;
        }
        step = next;
    }
    return false;
}

}  // namespace nsFTP
