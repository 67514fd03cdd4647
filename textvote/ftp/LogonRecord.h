#pragma once
// Where and as whom the client logs on, and through which firewall.

#include <string>

#include "textvote/ftp/FirewallKind.h"

namespace nsFTP {

class CLogonRecord {
public:
    CLogonRecord() = default;
    CLogonRecord(const std::wstring& host, unsigned short port, const std::wstring& user,
                 const std::wstring& password, const std::wstring& account);
    CLogonRecord(const std::wstring& host, unsigned short port, const std::wstring& user,
                 const std::wstring& password, const std::wstring& account, const std::wstring& firewallHost,
                 const std::wstring& firewallUser, const std::wstring& firewallPassword,
                 unsigned short firewallPort, const CFirewallKind& firewallKind);

    void SetHost(const std::wstring& host, unsigned short port, const std::wstring& user,
                 const std::wstring& password, const std::wstring& account);
    void SetFirewall(const std::wstring& host, const std::wstring& user, const std::wstring& password,
                     unsigned short port, const CFirewallKind& kind);

    const std::wstring& Hostname() const { return m_host; }
    unsigned short Hostport() const { return m_port; }
    const std::wstring& Username() const { return m_user; }
    const std::wstring& Password() const { return m_password; }
    const std::wstring& Account() const { return m_account; }
    const std::wstring& FwHost() const { return m_firewallHost; }
    const std::wstring& FwUsername() const { return m_firewallUser; }
    const std::wstring& FwPassword() const { return m_firewallPassword; }
    unsigned short FwPort() const { return m_firewallPort; }
    const CFirewallKind& FwType() const { return m_firewallKind; }

private:
    std::wstring m_host;
    unsigned short m_port = 21;
    std::wstring m_user = L"anonymous";
    std::wstring m_password;
    std::wstring m_account;
    std::wstring m_firewallHost;
    std::wstring m_firewallUser;
    std::wstring m_firewallPassword;
    unsigned short m_firewallPort = 21;
    CFirewallKind m_firewallKind;
};

}  // namespace nsFTP
