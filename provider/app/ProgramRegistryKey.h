#pragma once
// The program's own place in the registry, where the class library's
// programs keep their settings: HKEY_CURRENT_USER\Software\<key>\<program>,
// the program being the file name of the running program without extension.

#include <string>

// Creates that key; false when it cannot be created.
bool SetRegistryKey(const std::wstring& key);
// "Software\<key>\<program>".
std::wstring ProgramRegistryPath(const std::wstring& key);
