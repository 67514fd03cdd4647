#pragma once
// Reading a running script's variables from a test, with generous bounds:
// scripts run on their own thread under an emulator.

#include "motion/codec/ScriptRunner.h"

#include <string>

constexpr DWORD kScriptBoundMs = 20000;

// The variable's value as text, "(none)" when it is missing.
std::wstring ReadVariableText(ScriptRunner& runner, const std::wstring& name);
// True once the variable reads as `expected` within the bound.
bool WaitForVariable(ScriptRunner& runner, const std::wstring& name, const std::wstring& expected,
                     DWORD boundMs = kScriptBoundMs);
