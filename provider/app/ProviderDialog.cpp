#include "provider/server/SocketListener.h"  // first: winsock2.h before windows.h

#include "provider/app/ProviderDialog.h"

#include <commctrl.h>
#include <shlobj.h>

#include "common/about/VersionInfo.h"
#include "platform/ui/Module.h"
#include "platform/ui/TabPages.h"
#include "provider/app/ScrivaneResources.h"
#include "provider/app/SetupDialog.h"
#include "provider/server/RequestScript.h"

namespace {

constexpr int kScriptTab = 0;
constexpr int kLogTab = 1;
// Posted at the end of the initialisation: the window is shown first, and a
// posted message, unlike a timer's, waits behind no traffic.
constexpr UINT kLoadScriptAndServe = WM_APP + 1;

const std::vector<ToolbarButton> kToolbarButtons = {
    {L"New", ID_SCRIPT_NEW, 0}, {L"Open", ID_SCRIPT_OPEN, 1}, {L"Save", ID_SCRIPT_SAVE, 2},
    {L"Test", ID_SCRIPT_TEST, 6}, {nullptr, 0, 0}, {L"Setup", ID_SETUP, 4}, {nullptr, 0, 0},
};

// The program's own data folder under the user's local application data.
void CreateDataFolder()
{
    wchar_t folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
        const std::wstring path = std::wstring(folder) + L"\\ODBCProviderData";
        CreateDirectoryW(path.c_str(), nullptr);
    }
}

}  // namespace

void GetModuleVersion(std::wstring& version, std::wstring& copyright)
{
    CVersionInfo block;
    block.Open(CurrentModulePath());
    version = DottedVersion(block.QueryString(L"FileVersion"));
    copyright = block.QueryString(L"LegalCopyright");
}

CODBCProviderDlg::CODBCProviderDlg()
    : CDialog(IDD_PROVIDER_DIALOG), m_listener(MakeScriptRunner([this] { return CurrentScript(); }))
{
    // Enter and Escape never end the program: only the close command does.
    KeepOpenOnEnterAndEscape();
}

CODBCProviderDlg::~CODBCProviderDlg()
{
    DestroyWindow();
}

std::wstring CODBCProviderDlg::CurrentScript()
{
    return m_scriptPage ? m_scriptPage->GetScriptText() : std::wstring();
}

BOOL CODBCProviderDlg::OnInitDialog()
{
    const HWND dialog = GetSafeHwnd();
    m_icon = LoadIconW(CurrentModule(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    CreateDataFolder();

    m_tabs = GetItem(IDC_PAGES);
    m_scriptPage = std::make_unique<CScriptDialog>(m_tabs);
    m_logPage = std::make_unique<CLogDialog>(m_tabs);
    InsertTab(m_tabs, kScriptTab, L"Script", m_scriptPage->GetSafeHwnd());
    InsertTab(m_tabs, kLogTab, L"Log", m_logPage->GetSafeHwnd());
    ShowSelectedPage(m_tabs);

    m_toolbar.Create(dialog, kToolbarButtons, {IDB_TOOLBAR_DISABLED, IDB_TOOLBAR_HOT, IDB_TOOLBAR_NORMAL});
    m_logo.SubclassDlgItem(IDC_LOGO, dialog);
    m_logo.SetHandCursor();

    const RECT client = GetClientRect();
    LayoutControls(client.right, client.bottom);
    std::wstring version, copyright;
    GetModuleVersion(version, copyright);
    SetWindowText(L"Scrivane - Version " + version);
    PostMessageW(GetSafeHwnd(), kLoadScriptAndServe, 0, 0);
    return TRUE;
}

void CODBCProviderDlg::LoadScriptAndServe()
{
    // No request may be answered from a script that has not loaded: the
    // server listens only once it has.
    UpdateWindow(GetSafeHwnd());
    m_scriptPage->LoadStartupScript();
    StartServerPort(m_listener);
}

void CODBCProviderDlg::LayoutControls(int width, int height)
{
    if (!m_tabs)
        return;
    const RECT tabs = ::GetRectInParent(m_tabs);
    MoveWindow(m_tabs, tabs.left, tabs.top, width, height - 52, TRUE);
    PlaceTabPages(m_tabs, width - 3, height - 75);
    if (m_logo.GetSafeHwnd()) {
        const RECT logo = m_logo.GetRectInParent();
        MoveWindow(m_logo.GetSafeHwnd(), width - (logo.right - logo.left) - 8, 3, logo.right - logo.left,
                   logo.bottom - logo.top, TRUE);
    }
    if (m_toolbar.Rebar()) {
        const RECT rebar = ::GetRectInParent(m_toolbar.Rebar());
        MoveWindow(m_toolbar.Rebar(), rebar.left, rebar.top, width, 48, TRUE);
    }
}

void CODBCProviderDlg::OnSetup()
{
    CSetupDialog setup(GetSafeHwnd());
    if (setup.DoModal() != IDOK)
        return;
    m_listener.Shutdown();
    StartServerPort(m_listener);
}

bool CODBCProviderDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case kLoadScriptAndServe:
        LoadScriptAndServe();
        result = 0;
        return true;
    case WM_SIZE:
        LayoutControls(LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_NOTIFY:
        if (ShowPageOnSelectionChange(m_tabs, lParam)) {
            result = 0;
            return true;
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case ID_SETUP: OnSetup(); return true;
        case ID_SCRIPT_NEW: if (m_scriptPage) m_scriptPage->ClearScript(); return true;
        case ID_SCRIPT_OPEN: if (m_scriptPage) m_scriptPage->OpenScript(); return true;
        case ID_SCRIPT_SAVE: if (m_scriptPage) m_scriptPage->SaveScript(); return true;
        case ID_SCRIPT_TEST: if (m_scriptPage) m_scriptPage->TestScript(); return true;
        default: break;
        }
        break;
    case WM_CLOSE:
        EndDialog(IDCANCEL);
        result = 0;
        return true;
    case WM_PAINT:
        if (PaintIconWhileMinimised(m_icon)) {
            result = 0;
            return true;
        }
        break;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(m_icon);
        return true;
    case WM_DESTROY:
        m_listener.Shutdown();
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
