#pragma once
// Moving values between a dialog's controls and its members.
//
// Filling a control notifies its dialog at once (an edit's text change, for
// one), so a dialog that saves on change notifications holds a loading guard
// while it fills its controls and saves nothing while one is held.
//
// Lists are looked up by exact, case-sensitive text: the combo box's own
// searches ignore case and CB_SELECTSTRING matches prefixes.

#include <windows.h>

#include <string>

class CLoadingGuard {
public:
    explicit CLoadingGuard(bool& loading) : m_loading(loading), m_previous(loading) { m_loading = true; }
    CLoadingGuard(const CLoadingGuard&) = delete;
    CLoadingGuard& operator=(const CLoadingGuard&) = delete;
    ~CLoadingGuard() { m_loading = m_previous; }

private:
    bool& m_loading;
    bool m_previous;
};

std::wstring GetControlText(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::wstring& text);
bool GetCheck(HWND dialog, int id);
void SetCheck(HWND dialog, int id, bool checked);

// "%d" into the control.
void SetControlInt(HWND dialog, int id, int value);
// What GetControlInt does with a text that is no integer.
enum class BadInteger {
    Tell,  // the user's edit: the class library's message
    Keep,  // a read the user did not start (a timer's): no word
};
// The control's integer into `value`. Blanks around the number are allowed.
// An empty text, or a lone sign (a number being typed), keeps `value`
// without a word; any other text that is no integer of int's range keeps
// it and, when told to, shows "Please enter an integer.". False when
// `value` was kept.
bool GetControlInt(HWND dialog, int id, int& value, BadInteger bad = BadInteger::Tell);

// The index of the item whose text is exactly `text`, or -1.
int FindComboItem(HWND combo, const std::wstring& text);
// The index of that item, added when there was none; -1 when it cannot be added.
int AddComboItemIfMissing(HWND combo, const std::wstring& text);
// Selects the item whose text is exactly `text`; when there is none the
// selection is cleared and the answer is false.
bool SelectComboItem(HWND combo, const std::wstring& text);
// The selected item's text; empty when none is selected.
std::wstring GetComboSelection(HWND combo);
// The item's text; empty for an index out of range.
std::wstring GetComboItem(HWND combo, int index);
