#pragma once
// Opening a link: the shell's "open", else the command registered for .htm
// files with the URL appended. The three system calls can be replaced.

#include <windows.h>
#include <functional>
#include <string>

struct LinkOpeners {
    // ShellExecute "open": above 32 is success, otherwise its error code.
    std::function<INT_PTR(const std::wstring& url, int showCommand)> shellOpen;
    // The default value of HKCR\<class of .htm>\shell\open\command; false
    // when either key cannot be opened.
    std::function<bool(std::wstring& command)> htmOpenCommand;
    // WinExec of an ANSI command line.
    std::function<UINT(const std::string& commandLine, int showCommand)> run;
};

// The system's calls.
LinkOpeners SystemLinkOpeners();
// Puts new openers in place and returns the previous ones.
LinkOpeners ReplaceLinkOpeners(LinkOpeners openers);

INT_PTR GotoURL(const std::wstring& url, int showCommand);

// The registered command with its "%1" (and a quotation mark before it) cut
// off, then a blank and the URL.
std::wstring BrowserCommandLine(const std::wstring& openCommand, const std::wstring& url);

// The message shown when opening a link failed with the result.
std::wstring LinkErrorText(INT_PTR result);
