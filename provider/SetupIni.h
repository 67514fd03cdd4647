#pragma once
// The program's settings: the profile file "Setup.ini" in the program's
// folder. Nothing creates the file; a missing file or key gives the default.

#include <string>

constexpr wchar_t kSetupSection[] = L"Setup";
constexpr wchar_t kServerPortKey[] = L"ServerPort";
constexpr int kDefaultServerPort = 5011;
constexpr wchar_t kStartupScriptKey[] = L"StartupScript";
constexpr wchar_t kLogToFileKey[] = L"LogToFile";
constexpr wchar_t kLogToLogWindowKey[] = L"LogToLogWindow";
// Milliseconds without a byte either way after which a client connection is
// closed; missing, 0 or less: 30000.
constexpr wchar_t kIdleTimeoutKey[] = L"IdleTimeoutMSEC";

// Longest path the program keeps (file names, the startup script).
constexpr size_t kMaxProgramPath = 260;

// The folder of the program file, with a trailing backslash. Tests point it
// elsewhere with SetProgramFolder; an empty folder restores the program's.
std::wstring GetProgramFolder();
void SetProgramFolder(const std::wstring& folder);

std::wstring GetSetupIniPath();

int GetSetupInt(const wchar_t* section, const wchar_t* key, int defaultValue);
bool SetSetupInt(const wchar_t* section, const wchar_t* key, int value);
// At most kMaxProgramPath characters.
std::wstring GetSetupString(const wchar_t* section, const wchar_t* key, const std::wstring& defaultValue);
bool SetSetupString(const wchar_t* section, const wchar_t* key, const std::wstring& value);

// The startup script's default: the program's folder and "Scrivane.vbs".
std::wstring GetStartupScriptPath();
