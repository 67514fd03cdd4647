#pragma once
// Where run-with-ftp.sh put the real servers. A missing setting fails the
// test: a server that is not there is never a pass.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "textvote/ftp/test/FTPTestSupport.h"

inline std::wstring Setting(const wchar_t* name)
{
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    if (length == 0 || length >= 1024) {
        ADD_FAILURE() << "not set: " << testing::PrintToString(std::wstring(name))
                      << " (run under testing/ftppeer/run-with-ftp.sh)";
        return std::wstring();
    }
    return std::wstring(value, length);
}

inline unsigned short PortSetting(const wchar_t* name)
{
    return static_cast<unsigned short>(_wtoi(Setting(name).c_str()));
}

inline nsFTP::CLogonRecord ServerLogon()
{
    return nsFTP::CLogonRecord(L"127.0.0.1", PortSetting(L"FTP_PEER_PORT"), Setting(L"FTP_PEER_USER"),
                               Setting(L"FTP_PEER_PASSWORD"), L"");
}

// A file in the folder the server serves.
inline std::wstring ServedPath(const std::wstring& name)
{
    return Setting(L"FTP_PEER_ROOT") + L"\\" + name;
}

// The lines of the log file a peer's runner names in the setting.
inline std::vector<std::string> PeerLogLines(const wchar_t* setting)
{
    bool ok = false;
    const std::string text = ReadBytes(Setting(setting), &ok);
    EXPECT_TRUE(ok) << "the log " << testing::PrintToString(std::wstring(setting)) << " cannot be read";
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

// The command lines the server has received so far.
inline std::vector<std::string> ServerCommandLog()
{
    return PeerLogLines(L"FTP_PEER_LOG");
}
