#include "platform/ui/Dialog.h"

#include "platform/ui/DataExchange.h"
#include "platform/ui/MessageLoop.h"

namespace {

// The key presses that would end a dialog.
bool IsDialogEndingKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

}  // namespace

CDialog::CDialog(UINT templateId, HWND parent, HINSTANCE resources)
    : m_templateId(templateId), m_parent(parent), m_resources(resources)
{
}

CDialog::~CDialog() = default;

bool CDialog::Create()
{
    return Create(m_parent);
}

bool CDialog::Create(HWND parent)
{
    if (GetSafeHwnd())
        return false;
    m_modal = false;
    m_parent = parent;
    return CreateFromTemplate(parent);
}

INT_PTR CDialog::DoModal()
{
    if (GetSafeHwnd()) return -1;
    HWND owner = m_parent ? ::GetAncestor(m_parent, GA_ROOT) : nullptr;
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    m_modal = true;
    m_endRequested = false;
    m_result = -1;
    if (disableOwner) ::EnableWindow(owner, FALSE);
    if (CreateFromTemplate(owner)) {
        if (!m_endRequested) {
            ::ShowWindow(GetSafeHwnd(), SW_SHOWNORMAL);
            RunModalLoop();
        }
    } else {
        m_result = -1;
    }
    // Enable the owner before the dialog goes, so activation returns to it.
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (GetSafeHwnd()) {
        ::SetWindowPos(GetSafeHwnd(), nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        DestroyWindow();
    }
    if (disableOwner) ::SetActiveWindow(owner);
    m_modal = false;
    return m_result;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!GetSafeHwnd()) return;
    if (m_modal) {
        m_result = result;
        m_endRequested = true;
        ::PostMessageW(GetSafeHwnd(), WM_NULL, 0, 0); // wakes the loop
    } else {
        ::ShowWindow(GetSafeHwnd(), SW_HIDE);
    }
}

HWND CDialog::GetItem(int id) const
{
    return ::GetDlgItem(GetSafeHwnd(), id);
}

std::wstring CDialog::GetItemText(int id) const
{
    return GetControlText(GetSafeHwnd(), id);
}

void CDialog::SetItemText(int id, const std::wstring& text)
{
    SetControlText(GetSafeHwnd(), id, text);
}

bool CDialog::PreTranslateMessage(MSG& msg)
{
    // The dialog manager's keyboard interface: Tab, arrows, Enter, Escape.
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    if (m_keepOpen && IsDialogEndingKey(msg)) return true;
    return ::IsDialogMessageW(GetSafeHwnd(), &msg) != FALSE;
}

BOOL CDialog::OnInitDialog()
{
    return TRUE;
}

void CDialog::OnOK()
{
    if (!m_keepOpen)
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    if (!m_keepOpen)
        EndDialog(IDCANCEL);
}

bool CDialog::PaintIconWhileMinimised(HICON icon)
{
    if (!::IsIconic(GetSafeHwnd())) return false;
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(GetSafeHwnd(), &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const RECT client = GetClientRect();
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, icon);
    ::EndPaint(GetSafeHwnd(), &paint);
    return true;
}

bool CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            result = 0;
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            result = 0;
            return true;
        }
    }
    return CWnd::OnMessage(msg, wParam, lParam, result);
}

// The dialog procedure serves only the start: at WM_INITDIALOG the object
// subclasses its window, and from then on every message goes through the
// object's handlers before the dialog manager's own.
INT_PTR CALLBACK CDialog::StartProc(HWND hwnd, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    if (!self || !self->SubclassWindow(hwnd)) return TRUE;
    try {
        return self->OnInitDialog();
    } catch (...) {
        ::OutputDebugStringW(L"CDialog: exception in OnInitDialog\n");
        return TRUE;
    }
}

bool CDialog::CreateFromTemplate(HWND parent)
{
    HWND hwnd = ::CreateDialogParamW(m_resources, MAKEINTRESOURCEW(m_templateId), parent,
                                     &CDialog::StartProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd) return false;
    if (GetSafeHwnd() != hwnd) { // never reached initialisation
        ::DestroyWindow(hwnd);
        return false;
    }
    TakeOwnership();
    return true;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_endRequested && GetSafeHwnd()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) { // the program is ending: leave the quit for the outer loop
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!PreTranslateWindowMessage(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
