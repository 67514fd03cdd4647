#pragma once
// A client logged on to the scripted server, and the script pieces every
// such test starts with.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "testing/ftppeer/ScriptedFtpServer.h"
#include "textvote/ftp/test/FTPTestSupport.h"

const unsigned kScriptedTimeout = 2;
// What a client with a 1-s time-out must end within: a few of its time-outs
// with room for a loaded machine, far below a wait that never ends.
const auto kWithinShortTimeOuts = std::chrono::seconds(10);

inline FtpStep Pasv()
{
    return Answer("PASV", "227 Entering Passive Mode ({PASV}).\r\n");
}

// The logon the client makes, then `steps`.
inline std::vector<FtpStep> LoggedOn(std::vector<FtpStep> steps)
{
    std::vector<FtpStep> script = {Greeting(), Answer("USER u1", "230 In.\r\n"), Answer("CWD /", "250 OK.\r\n")};
    script.insert(script.end(), steps.begin(), steps.end());
    return script;
}

inline std::unique_ptr<nsFTP::CFTPClient> LogOn(const CScriptedFtpServer& server, RecordingObserver& observer,
                                                unsigned timeout = kScriptedTimeout)
{
    auto client = std::make_unique<nsFTP::CFTPClient>(nsSocket::CreateDefaultBlockingSocket(), timeout);
    client->AttachObserver(&observer);
    EXPECT_TRUE(client->Login(LoopbackLogon(server.Port())));
    return client;
}

// The commands the server received after the logon.
inline std::vector<std::string> AfterLogon(const CScriptedFtpServer& server)
{
    std::vector<std::string> commands = server.Commands();
    commands.erase(commands.begin(), commands.begin() + std::min<size_t>(2, commands.size()));
    return commands;
}
