#include "platform/ui/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cwchar>

#include "platform/ui/UserPrompts.h"
#include "platform/ui/Window.h"

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// An int from "[sign]digits"; false for anything else or out of range.
bool ParseInt(const std::wstring& text, int& value)
{
    const size_t digitsFrom = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (text.size() == digitsFrom)
        return false;
    for (size_t i = digitsFrom; i < text.size(); ++i)
        if (text[i] < L'0' || text[i] > L'9')
            return false;
    errno = 0;
    const long long parsed = std::wcstoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

}  // namespace

std::wstring GetControlText(HWND dialog, int id)
{
    return WindowText(::GetDlgItem(dialog, id));
}

void SetControlText(HWND dialog, int id, const std::wstring& text)
{
    ::SetDlgItemTextW(dialog, id, text.c_str());
}

bool GetCheck(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void SetCheck(HWND dialog, int id, bool checked)
{
    ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SetControlInt(HWND dialog, int id, int value)
{
    SetControlText(dialog, id, std::to_wstring(value));
}

bool GetControlInt(HWND dialog, int id, int& value, BadInteger bad)
{
    const std::wstring text = Trimmed(GetControlText(dialog, id));
    if (text.empty() || text == L"-" || text == L"+")
        return false;
    if (ParseInt(text, value))
        return true;
    if (bad == BadInteger::Tell)
        ShowMessageBox(dialog, L"Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

int FindComboItem(HWND combo, const std::wstring& text)
{
    const int count = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (GetComboItem(combo, i) == text)
            return i;
    return -1;
}

int AddComboItemIfMissing(HWND combo, const std::wstring& text)
{
    const int found = FindComboItem(combo, text);
    if (found >= 0)
        return found;
    const LRESULT added = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return added >= 0 ? static_cast<int>(added) : -1;
}

bool SelectComboItem(HWND combo, const std::wstring& text)
{
    const int index = FindComboItem(combo, text);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return index >= 0;
}

std::wstring GetComboSelection(HWND combo)
{
    return GetComboItem(combo, static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0)));
}

std::wstring GetComboItem(HWND combo, int index)
{
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (index < 0 || length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
