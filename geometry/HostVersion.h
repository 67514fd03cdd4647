#pragma once
// The host's build number, 0 when it could not be read. Hosts above 1410
// bracket runs of parameter writes with IGeoParamLink::EnableUpdates.

extern int g_hostVersion;

constexpr int kFirstBracketingHostVersion = 1411;
