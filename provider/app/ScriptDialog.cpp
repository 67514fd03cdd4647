#include "provider/app/ScriptDialog.h"

#include "common/editor/VBScriptEditor.h"
#include "common/xml/XmlNode.h"
#include "platform/ui/UserPrompts.h"
#include "provider/SetupIni.h"
#include "provider/app/ScriptFile.h"
#include "provider/app/ScrivaneResources.h"
#include "provider/server/RequestScript.h"

namespace {

const wchar_t kScriptFilter[] = L"VBScript Files (*.vbs)|*.vbs||";

FileDialogRequest ScriptFileRequest(bool save)
{
    FileDialogRequest request;
    request.save = save;
    request.filter = kScriptFilter;
    request.defaultExtension = L"vbs";
    return request;
}

}  // namespace

CScriptDialog::CScriptDialog(HWND tabControl) : CDialog(IDD_SCRIPT_PAGE, tabControl)
{
    Create();
}

CScriptDialog::~CScriptDialog()
{
    DestroyWindow();
}

BOOL CScriptDialog::OnInitDialog()
{
    const RECT client = GetClientRect();
    m_editor.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, client, GetSafeHwnd(), IDC_SCRIPT_EDITOR);
    m_editor.SetText(L"");
    SetupVBScriptEditor(m_editor);
    return TRUE;
}

bool CScriptDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SIZE:
        if (m_editor.GetSafeHwnd())
            MoveWindow(m_editor.GetSafeHwnd(), 4, 4, LOWORD(lParam) - 8, HIWORD(lParam) - 8, TRUE);
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

bool CScriptDialog::PreTranslateMessage(MSG& msg)
{
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        return true;
    return CDialog::PreTranslateMessage(msg);
}

std::wstring CScriptDialog::GetScriptText()
{
    return m_editor.GetText();
}

void CScriptDialog::SetScriptText(const std::wstring& text)
{
    m_editor.SetText(text.c_str());
}

void CScriptDialog::ClearScript()
{
    if (ShowMessageBox(GetSafeHwnd(), L"Clear Script ?", MB_YESNOCANCEL) == IDYES)
        m_editor.ClearAll();
}

void CScriptDialog::OpenScript()
{
    if (const auto path = ShowFileDialog(GetSafeHwnd(), ScriptFileRequest(false)))
        LoadScriptFile(*path);
}

void CScriptDialog::SaveScript()
{
    if (const auto path = ShowFileDialog(GetSafeHwnd(), ScriptFileRequest(true)))
        WriteScriptFile(*path, GetScriptText());
}

void CScriptDialog::TestScript()
{
    CXmlNodePtr reply = CXmlNodePtr::Adopt(new CXmlNode(nullptr, L"response"));
    CScriptWatchdog watchdog;
    StartScript(GetScriptText(), L"Test", reply.Get(), watchdog);
}

void CScriptDialog::LoadStartupScript()
{
    std::wstring path = GetStartupScriptPath();
    // A bare file name in Setup.ini means the program's folder.
    if (path.find(L':') == std::wstring::npos && path.compare(0, 1, L"\\") != 0)
        path = GetProgramFolder() + path;
    m_editor.ClearAll();
    UpdateWindow(m_editor.GetSafeHwnd());
    LoadScriptFile(path);
}

void CScriptDialog::LoadScriptFile(const std::wstring& path)
{
    m_editor.SetText(L"");
    if (const auto text = ReadScriptFile(path))
        m_editor.SetText(text->c_str());
}
