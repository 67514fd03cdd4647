#pragma once
// Running a request's routine of the provider script, and starting the
// server on the port of Setup.ini.

#include <functional>
#include <string>

#include "common/script/ScriptTimeLimit.h"
#include "common/xml/XmlNode.h"
#include "provider/server/RequestDispatch.h"

class CSocketListener;

// How long one run may take before it is interrupted.
constexpr unsigned long kScriptTimeLimitMs = 10000;

// Runs the whole script as global code in a fresh engine, then `callText`
// (a routine call); the script builds into `reply`. Whatever the routine
// added before an error stays. Logs "Error starting script" when the call
// fails. A run that outlasts `timeLimitMs` is logged and interrupted, from
// `watchdog`'s thread, as far as the engine allows (Wine's engine cannot
// interrupt a script that never calls this program's object).
RunResult StartScript(const std::wstring& scriptText, const std::wstring& callText, CXmlNode* reply,
                      CScriptWatchdog& watchdog, unsigned long timeLimitMs = kScriptTimeLimitMs);

// The server's runner: `currentScript` gives the script text at the moment
// each request is served (the editor's text, saved or not). The runner and
// its copies share one watchdog, whose thread goes with the last of them.
RequestRunner MakeScriptRunner(std::function<std::wstring()> currentScript,
                               unsigned long timeLimitMs = kScriptTimeLimitMs);

// Listens on ServerPort of Setup.ini (default 5011), with the idle time-out
// of Setup.ini; a port outside 0..65535 is logged and not used.
void StartServerPort(CSocketListener& listener);
