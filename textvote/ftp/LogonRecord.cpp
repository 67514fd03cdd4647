#include "textvote/ftp/LogonRecord.h"

namespace nsFTP {

CLogonRecord::CLogonRecord(const std::wstring& host, unsigned short port, const std::wstring& user,
                           const std::wstring& password, const std::wstring& account)
{
    SetHost(host, port, user, password, account);
}

CLogonRecord::CLogonRecord(const std::wstring& host, unsigned short port, const std::wstring& user,
                           const std::wstring& password, const std::wstring& account,
                           const std::wstring& firewallHost, const std::wstring& firewallUser,
                           const std::wstring& firewallPassword, unsigned short firewallPort,
                           const CFirewallKind& firewallKind)
{
    SetHost(host, port, user, password, account);
    SetFirewall(firewallHost, firewallUser, firewallPassword, firewallPort, firewallKind);
}

void CLogonRecord::SetHost(const std::wstring& host, unsigned short port, const std::wstring& user,
                           const std::wstring& password, const std::wstring& account)
{
    m_host = host;
    m_port = port;
    m_user = user;
    m_password = password;
    m_account = account;
}

void CLogonRecord::SetFirewall(const std::wstring& host, const std::wstring& user, const std::wstring& password,
                               unsigned short port, const CFirewallKind& kind)
{
    m_firewallHost = host;
    m_firewallUser = user;
    m_firewallPassword = password;
    m_firewallPort = port;
    m_firewallKind = kind;
}

}  // namespace nsFTP
