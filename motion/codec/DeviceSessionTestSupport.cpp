#include "motion/codec/DeviceSessionTestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <windows.h>

namespace {

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH];
    const DWORD size = GetEnvironmentVariableW(name, value, MAX_PATH);
    return size > 0 && size < MAX_PATH ? std::wstring(value, size) : std::wstring();
}

} // namespace

bool DeviceSession::FromEnvironment(DeviceSession& session)
{
    const std::wstring port = Environment(L"MOTION_DEVICE_PORT");
    session.logPath = Environment(L"MOTION_DEVICE_LOG");
    session.port = _wtoi(port.c_str());
    return session.port > 0 && !session.logPath.empty();
}

std::vector<std::string> DeviceSession::LogLines() const
{
    std::vector<std::string> lines;
    std::ifstream log{std::filesystem::path(logPath)};
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}
