#include "common/about/LinkOpening.h"

#include "base/text/TextConversion.h"
#include "base/text/WideFormat.h"

#include <shellapi.h>
#include <vector>

namespace {

bool ReadDefaultValue(HKEY root, const std::wstring& subKey, size_t maxCharacters, std::wstring& value)
{
    DWORD bytes = 0;
    if (::RegGetValueW(root, subKey.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                       nullptr, &bytes) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegGetValueW(root, subKey.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr,
                       buffer.data(), &bytes) != ERROR_SUCCESS)
        return false;
    value.assign(buffer.data());
    if (value.size() > maxCharacters) value.resize(maxCharacters);
    return true;
}

bool RegisteredHtmCommand(std::wstring& command)
{
    std::wstring className;
    return ReadDefaultValue(HKEY_CLASSES_ROOT, L".htm", MAX_PATH, className) &&
           ReadDefaultValue(HKEY_CLASSES_ROOT, className + L"\\shell\\open\\command", 32767, command);
}

LinkOpeners& Current()
{
    static LinkOpeners openers = SystemLinkOpeners();
    return openers;
}

} // namespace

LinkOpeners SystemLinkOpeners()
{
    LinkOpeners openers;
    openers.shellOpen = [](const std::wstring& url, int showCommand) {
        return reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, showCommand));
    };
    openers.htmOpenCommand = &RegisteredHtmCommand;
    openers.run = [](const std::string& commandLine, int showCommand) {
        return ::WinExec(commandLine.c_str(), static_cast<UINT>(showCommand));
    };
    return openers;
}

LinkOpeners ReplaceLinkOpeners(LinkOpeners openers)
{
    std::swap(Current(), openers);
    return openers;
}

std::wstring BrowserCommandLine(const std::wstring& openCommand, const std::wstring& url)
{
    std::wstring command = openCommand;
    const size_t quoted = command.find(L"\"%1\"");
    const size_t cut = quoted != std::wstring::npos ? quoted : command.find(L"%1");
    if (cut != std::wstring::npos) command.resize(cut);
    return command + L" " + url;
}

INT_PTR GotoURL(const std::wstring& url, int showCommand)
{
    const LinkOpeners& openers = Current();
    const INT_PTR result = openers.shellOpen(url, showCommand);
    if (result > 32) return result;
    std::wstring command;
    if (!openers.htmOpenCommand(command)) return result;
    return static_cast<INT_PTR>(openers.run(WideToNarrow(BrowserCommandLine(command, url), CP_ACP), showCommand));
}

std::wstring LinkErrorText(INT_PTR result)
{
    switch (result) {
    case 0: return L"The operating system is out\nof memory or resources.";
    case SE_ERR_FNF: return L"The specified file was not found.";
    case SE_ERR_PNF: return L"The specified path was not found.";
    case SE_ERR_ACCESSDENIED: return L"The operating system denied\naccess to the specified file.";
    case SE_ERR_OOM: return L"There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case SE_ERR_SHARE: return L"A sharing violation occurred. ";
    case SE_ERR_ASSOCINCOMPLETE: return L"The filename association is\nincomplete or invalid.";
    case SE_ERR_DDETIMEOUT: return L"The DDE transaction could not\nbe completed because the request timed out.";
    case SE_ERR_DDEFAIL: return L"The DDE transaction failed.";
    case SE_ERR_DDEBUSY:
        return L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case SE_ERR_NOASSOC: return L"There is no application associated\nwith the given filename extension.";
    case SE_ERR_DLLNOTFOUND: return L"The specified dynamic-link library was not found.";
    default: return FormatWide(L"Unknown Error (%d) occurred.", static_cast<int>(result));
    }
}
