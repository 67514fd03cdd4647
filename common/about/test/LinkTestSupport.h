#pragma once
#include "common/about/LinkOpening.h"
#include "platform/ui/UserPrompts.h"

#include <string>

// Puts fake link openers in place for a scope.
using ScopedLinkOpeners = ScopedHandler<LinkOpeners, &ReplaceLinkOpeners>;

// Openers whose shell answers `shellResult` and whose .htm command is
// `htmCommand` (none when null); runs are recorded.
inline LinkOpeners FakeOpeners(INT_PTR shellResult, const wchar_t* htmCommand, std::string* ran, UINT runResult = 33)
{
    LinkOpeners openers;
    openers.shellOpen = [shellResult](const std::wstring&, int) { return shellResult; };
    openers.htmOpenCommand = [htmCommand](std::wstring& command) {
        if (!htmCommand) return false;
        command = htmCommand;
        return true;
    };
    openers.run = [ran, runResult](const std::string& commandLine, int) {
        if (ran) *ran = commandLine;
        return runResult;
    };
    return openers;
}
