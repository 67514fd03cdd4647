#pragma once
// Where the simulated device is: its COM port and its command log, as the
// test runner script hands them over.

#include <string>
#include <vector>
#include <windows.h>

struct DeviceSession {
    int port = 0;
    std::wstring logPath;

    // From MOTION_DEVICE_PORT and MOTION_DEVICE_LOG; false when not set.
    static bool FromEnvironment(DeviceSession& session);
    // The device's log lines so far.
    std::vector<std::string> LogLines() const;
    // Ends the device's HOLD: true once it logged that it serves again.
    bool ReleaseHold(DWORD boundMs) const;
};
