#include "motion/plugin/DrovelEditor.h"

#include <algorithm>
#include <memory>

#include "common/editor/VBScriptEditor.h"
#include "base/text/WideFormat.h"
#include "motion/plugin/CompanionSwitch.h"
#include "motion/plugin/DrovelLEIFletResources.h"
#include "motion/plugin/host/HostElement.h"
#include "motion/records/CompanionRecords.h"
#include "platform/ui/UserPrompts.h"

namespace {

// The editor's place: the client area less these margins, in pixels.
constexpr int kEditorLeft = 20;
constexpr int kEditorTop = 80;
constexpr int kEditorRight = 20;
constexpr int kEditorBottom = 20;

void ShowFailure(HWND owner, const wchar_t* format, HRESULT hr)
{
    ShowMessageBox(owner, FormatWide(format, static_cast<unsigned>(hr)), MB_OK | MB_ICONERROR);
}

} // namespace

CDrovelEditor::CDrovelEditor(IDispatch* application, IDispatch* properties, HWND owner)
    : CDialog(IDD_DROVEL_EDITOR, owner)
{
    properties->AddRef();  // the collection wrapper releases what it holds
    m_properties.Attach(properties);
    m_application.Attach(application);
}

BOOL CDrovelEditor::OnInitDialog()
{
    ReadProperties();

    RECT place = GetClientRect();
    place.left += kEditorLeft;
    place.top += kEditorTop;
    place.right -= kEditorRight;
    place.bottom -= kEditorBottom;
    if (m_editor.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, place, GetSafeHwnd(), IDC_DROVEL_SCRIPT)) {
        SetWindowPos(m_editor.GetSafeHwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        m_editor.SetText(m_script.c_str());
        SetupVBScriptEditor(m_editor);
    }

    CheckDlgButton(GetSafeHwnd(), IDC_DROVEL_ENABLE, m_enabled ? BST_CHECKED : BST_UNCHECKED);
    // The companion's records hold no longer names.
    for (int edit : {IDC_DROVEL_VARIABLE, IDC_DROVEL_SCRIPT_ID})
        SendDlgItemMessageW(GetSafeHwnd(), edit, EM_LIMITTEXT, companion::kIdChars - 1, 0);
    SetItemText(IDC_DROVEL_VARIABLE, m_variable);
    SetItemText(IDC_DROVEL_SCRIPT_ID, m_scriptId);
    return TRUE;
}

void CDrovelEditor::ReadProperties()
{
    try {
        const std::wstring enabled = m_properties.GetPropertyString(L"Enabled");
        m_variable = m_properties.GetPropertyString(L"Variable");
        m_scriptId = m_properties.GetPropertyString(L"ScriptID");
        m_script = m_properties.GetPropertyString(L"Script");
        m_enabled = m_enabledAtOpen = enabled == L"1";
        m_propertiesRead = true;
    } catch (const CHostException& error) {
        ShowFailure(GetSafeHwnd(), L"Failed to read the motion-control settings: 0x%08X", error.HResult());
    }
}

void CDrovelEditor::OnOK()
{
    m_enabled = IsDlgButtonChecked(GetSafeHwnd(), IDC_DROVEL_ENABLE) == BST_CHECKED;
    m_variable = GetItemText(IDC_DROVEL_VARIABLE);
    m_scriptId = GetItemText(IDC_DROVEL_SCRIPT_ID);
    if (m_editor.GetSafeHwnd())
        m_script = m_editor.GetText();  // without the editor the script stays as it was read
    if (m_propertiesRead) {
        try {
            WriteProperties(SwitchCompanion());
        } catch (const CHostException& error) {
            ShowFailure(GetSafeHwnd(), L"Failed to write the motion-control settings: 0x%08X", error.HResult());
        }
    }
    CDialog::OnOK();
}

bool CDrovelEditor::SwitchCompanion()
{
    if (m_enabled == m_enabledAtOpen)
        return m_enabled;
    std::unique_ptr<drovel::CHostElement> element = m_properties.GetOwnerElement();
    if (!element)
        return m_enabled;
    if (m_enabled) {
        const HRESULT hr = SwitchCompanionOn(*element, m_script, m_variable, m_scriptId);
        if (FAILED(hr)) {
            ShowFailure(GetSafeHwnd(), L"Failed to write the companion movie: 0x%08X", hr);
            return m_enabledAtOpen;
        }
    } else {
        const HRESULT hr = SwitchCompanionOff(*element);
        if (FAILED(hr)) {
            ShowFailure(GetSafeHwnd(), L"Failed to find the source movie: 0x%08X", hr);
            return m_enabledAtOpen;
        }
    }
    return m_enabled;
}

void CDrovelEditor::WriteProperties(bool enabled)
{
    m_properties.SetPropertyString(L"Enabled", enabled ? L"1" : L"0");
    m_properties.SetPropertyString(L"Script", m_script);
    m_properties.SetPropertyString(L"Variable", m_variable);
    m_properties.SetPropertyString(L"ScriptID", m_scriptId);
}

bool CDrovelEditor::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_SIZE && m_editor.GetSafeHwnd()) {
        const int width = std::max(static_cast<int>(LOWORD(lParam)) - kEditorLeft - kEditorRight, 0);
        const int height = std::max(static_cast<int>(HIWORD(lParam)) - kEditorTop - kEditorBottom, 0);
        SetWindowPos(m_editor.GetSafeHwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
