#include "provider/app/SetupDialog.h"

#include <cwchar>

#include "platform/ui/UserPrompts.h"
#include "provider/SetupIni.h"
#include "provider/app/ScrivaneResources.h"

CSetupDialog::CSetupDialog(HWND parent)
    : CDialog(IDD_SETUP, parent),
      serverPort(GetSetupInt(kSetupSection, kServerPortKey, kDefaultServerPort)),
      startupScript(GetStartupScriptPath()),
      logToFile(GetSetupInt(kSetupSection, kLogToFileKey, 0) != 0),
      logToLogWindow(GetSetupInt(kSetupSection, kLogToLogWindowKey, 1) != 0)
{
}

BOOL CSetupDialog::OnInitDialog()
{
    SetItemText(IDC_SETUP_SCRIPT, startupScript);
    SetItemText(IDC_SETUP_PORT, std::to_wstring(serverPort));
    CheckDlgButton(GetSafeHwnd(), IDC_SETUP_LOG_FILE, logToFile ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(GetSafeHwnd(), IDC_SETUP_LOG_WINDOW, logToLogWindow ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

bool CSetupDialog::TakeControls()
{
    const std::wstring portText = GetItemText(IDC_SETUP_PORT);
    wchar_t* end = nullptr;
    const long port = wcstol(portText.c_str(), &end, 10);
    const bool isNumber = !portText.empty() && end && *end == L'\0';
    if (!isNumber || port < 1 || port > 65535) {
        ShowMessageBox(GetSafeHwnd(), L"Please enter a port number between 1 and 65535.", MB_OK | MB_ICONEXCLAMATION,
                       L"Setup");
        SetFocus(GetItem(IDC_SETUP_PORT));
        return false;
    }
    serverPort = static_cast<int>(port);
    startupScript = GetItemText(IDC_SETUP_SCRIPT);
    logToFile = IsDlgButtonChecked(GetSafeHwnd(), IDC_SETUP_LOG_FILE) == BST_CHECKED;
    logToLogWindow = IsDlgButtonChecked(GetSafeHwnd(), IDC_SETUP_LOG_WINDOW) == BST_CHECKED;
    return true;
}

void CSetupDialog::OnOK()
{
    if (!TakeControls())
        return;
    SetSetupInt(kSetupSection, kServerPortKey, serverPort);
    SetSetupInt(kSetupSection, kLogToFileKey, logToFile ? 1 : 0);
    SetSetupInt(kSetupSection, kLogToLogWindowKey, logToLogWindow ? 1 : 0);
    SetSetupString(kSetupSection, kStartupScriptKey, startupScript);
    CDialog::OnOK();
}

void CSetupDialog::Browse()
{
    FileDialogRequest request;
    request.filter = L"VBScript Files (*.vbs)|*.vbs||";
    request.defaultExtension = L"vbs";
    request.initialName = GetItemText(IDC_SETUP_SCRIPT);
    if (const auto path = ShowFileDialog(GetSafeHwnd(), request))
        SetItemText(IDC_SETUP_SCRIPT, *path);
}

bool CSetupDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == IDC_SETUP_BROWSE && HIWORD(wParam) == BN_CLICKED) {
        Browse();
        result = 0;
        return true;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
