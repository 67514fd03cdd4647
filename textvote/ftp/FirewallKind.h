#pragma once
// How the client logs on through a firewall or proxy; the value picks the
// command sequence of the logon.

#include <string>
#include <vector>

namespace nsFTP {

class CFirewallKind {
public:
    enum Value {
        NoFirewall = 0,
        SiteHostname = 1,
        UserAfterLogon = 2,
        ProxyOpen = 3,
        Transparent = 4,
        UserWithNoLogon = 5,
        UserFireIdAtRemoteHost = 6,
        UserRemoteIdAtRemoteHostFireId = 7,
        UserRemoteIdAtFireIdAtRemoteHost = 8,
    };

    CFirewallKind(int value = NoFirewall) : m_value(value) {}

    int AsInt() const { return m_value; }
    // Empty for a value outside the nine.
    std::wstring AsDisplayString() const;
    std::wstring AsStorageString() const;

    bool operator==(const CFirewallKind& other) const { return m_value == other.m_value; }
    bool operator!=(const CFirewallKind& other) const { return m_value != other.m_value; }

    // All nine, in value order.
    static std::vector<CFirewallKind> GetAllTypes();

private:
    int m_value;
};

}  // namespace nsFTP
