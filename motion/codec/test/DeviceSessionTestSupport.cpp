#include "motion/codec/test/DeviceSessionTestSupport.h"

#include <algorithm>
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

bool DeviceSession::ReleaseHold(DWORD boundMs) const
{
    const auto releasedLines = [this] {
        const std::vector<std::string> lines = LogLines();
        return std::count(lines.begin(), lines.end(), std::string("released"));
    };
    const auto before = releasedLines();
    const std::filesystem::path release = std::filesystem::path(logPath).parent_path() / L"release";
    if (!std::ofstream(release))
        return false;
    const ULONGLONG deadline = GetTickCount64() + boundMs;
    while (releasedLines() == before) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(10);
    }
    return true;
}
