#include "textvote/ftp/FirewallKind.h"

namespace nsFTP {

namespace {

struct Names {
    const wchar_t* display;
    const wchar_t* storage;
};

const Names kNames[] = {
    {L"no firewall", L"NO_FIREWALL"},
    {L"SITE hostname", L"SITE_HOSTNAME"},
    {L"USER after logon", L"USER_AFTER_LOGON"},
    {L"proxy OPEN", L"PROXY_OPEN"},
    {L"Transparent", L"TRANSPARENT"},
    {L"USER with no logon", L"USER_WITH_NO_LOGON"},
    {L"USER fireID@remotehost", L"USER_FIREID@REMOTEHOST"},
    {L"USER remoteID@remotehost fireID", L"USER_REMOTEID@REMOTEHOST_FIREID"},
    {L"USER remoteID@fireID@remotehost", L"USER_REMOTEID@FIREID@REMOTEHOST"},
};
const int kCount = sizeof kNames / sizeof kNames[0];

const Names* Find(int value)
{
    return value >= 0 && value < kCount ? &kNames[value] : nullptr;
}

}  // namespace

std::wstring CFirewallKind::AsDisplayString() const
{
    const Names* names = Find(m_value);
    return names ? names->display : L"";
}

std::wstring CFirewallKind::AsStorageString() const
{
    const Names* names = Find(m_value);
    return names ? names->storage : L"";
}

std::vector<CFirewallKind> CFirewallKind::GetAllTypes()
{
    std::vector<CFirewallKind> all;
    for (int value = 0; value < kCount; ++value)
        all.emplace_back(value);
    return all;
}

}  // namespace nsFTP
