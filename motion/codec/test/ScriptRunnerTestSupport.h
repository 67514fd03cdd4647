#pragma once
// Reading a running script's variables from a test, with generous bounds:
// scripts run on their own thread under an emulator.

#include "motion/codec/ScriptRunner.h"

#include <string>

constexpr DWORD kScriptBoundMs = 20000;

// A stop returns within the runner's stop wait. A loaded or emulated machine
// may take this much longer to schedule the threads involved, no more: a
// stop that waited twice its time would be a fault.
constexpr ULONGLONG kSlowMachineAllowanceMs = 500;
constexpr ULONGLONG kStopBoundMs = ScriptRunner::kStopWaitMs + kSlowMachineAllowanceMs;

// The variable's value as text, "(none)" when it is missing.
std::wstring ReadVariableText(ScriptRunner& runner, const std::wstring& name);
// True once the variable reads as `expected` within the bound.
bool WaitForVariable(ScriptRunner& runner, const std::wstring& name, const std::wstring& expected,
                     DWORD boundMs = kScriptBoundMs);
