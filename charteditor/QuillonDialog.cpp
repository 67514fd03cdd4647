#include "charteditor/QuillonDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "chartcontrol/EditorWindowSeam.h"
#include "charteditor/ChartEditorIds.h"
#include "charteditor/QuillonView.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostException.h"

namespace {

const std::vector<ToolbarButton> kToolbarButtons = {
    {L"Config", ID_QUILLON_CONFIG, 4},
    {nullptr, 0, 0},
    {L"Help", ID_QUILLON_HELP, 5},
};

constexpr int kRebarHeight = 48;

}  // namespace

HWND CreateEditorWindow(HWND parent, IDispatch* application)
{
    CQuillonDialog* editor = CQuillonDialog::Open(parent, application);
    return editor ? editor->GetSafeHwnd() : nullptr;
}

CQuillonDialog* CQuillonDialog::Open(HWND parent, IDispatch* application)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&classes);
    auto* editor = new CQuillonDialog(parent, application);
    if (!editor->Create()) {
        delete editor;
        return nullptr;
    }
    ::ShowWindow(editor->GetSafeHwnd(), SW_SHOW);
    return editor;
}

CQuillonDialog::CQuillonDialog(HWND parent, IDispatch* application)
    : CDialog(IDD_QUILLON_DIALOG, parent), m_application(application)
{
    KeepOpenOnEnterAndEscape();
}

BOOL CQuillonDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_toolbar.Create(GetSafeHwnd(), kToolbarButtons,
                     {IDB_QUILLON_TOOLBAR_DISABLED, IDB_QUILLON_TOOLBAR_HOT, IDB_QUILLON_TOOLBAR_NORMAL});
    CreateFrame();
    m_logo.SubclassDlgItem(IDC_QUILLON_LOGO, GetSafeHwnd());
    m_logo.SetHandCursor();
    const RECT client = GetClientRect();
    Layout(client.right, client.bottom);
    return TRUE;
}

bool CQuillonDialog::CreateFrame()
{
    m_document.SetApplication(m_application);
    CCreateContext context;
    context.newView = [] { return std::make_unique<CQuillonView>(); };
    context.document = &m_document;
    if (!m_frame.Create(L"QuillonFrame", WS_VISIBLE, GetClientRect(), GetSafeHwnd(), context))
        return false;
    m_frame.InitialUpdateFrame(true);
    m_view = static_cast<CQuillonView*>(m_document.GetFirstView());
    m_document.LoadFromActiveScene();
    return true;
}

void CQuillonDialog::Layout(int width, int height)
{
    if (m_frame.GetSafeHwnd())
        ::MoveWindow(m_frame.GetSafeHwnd(), 2, kRebarHeight, std::max(width - 4, 0),
                     std::max(height - kRebarHeight - 2, 0), TRUE);
    if (m_logo.GetSafeHwnd()) {
        const RECT logo = m_logo.GetRectInParent();
        ::MoveWindow(m_logo.GetSafeHwnd(), width - (logo.right - logo.left) - 8, 3, logo.right - logo.left,
                     logo.bottom - logo.top, TRUE);
    }
    if (m_toolbar.Rebar()) {
        const RECT rebar = ::GetRectInParent(m_toolbar.Rebar());
        ::MoveWindow(m_toolbar.Rebar(), rebar.left, rebar.top, std::max(width, 0), kRebarHeight, TRUE);
    }
}

// The host's frame is the third window up from the editor (the control's
// window and the host's control site come first); its place is kept in the
// coordinates of the area it lives in.
void CQuillonDialog::StoreHostFramePlace()
{
    HWND frame = GetSafeHwnd();
    for (int level = 0; level < 3 && frame; ++level)
        frame = ::GetParent(frame);
    const HWND area = frame ? ::GetParent(frame) : nullptr;
    if (!area)
        return;
    RECT place{};
    ::GetWindowRect(frame, &place);
    ::MapWindowPoints(nullptr, area, reinterpret_cast<POINT*>(&place), 2);
    try {
        CHostApplication host;
        host.Attach(m_application);
        host.SetRegistryInt(L"Quillon", L"FrameLeft", place.left);
        host.SetRegistryInt(L"Quillon", L"FrameTop", place.top);
        host.SetRegistryInt(L"Quillon", L"FrameWidth", place.right - place.left);
        host.SetRegistryInt(L"Quillon", L"FrameHeight", place.bottom - place.top);
    } catch (const CHostException&) {
        // the host keeps the place it had
    }
}

bool CQuillonDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SIZE:
        Layout(LOWORD(lParam), HIWORD(lParam));
        break;
    case kEditorReload:
        // The same number is the dialog manager's DM_SETDEFID: only wParam 0 is ours.
        if (wParam == 0) {
            m_document.LoadFromActiveScene();
            result = 0;
            return true;
        }
        break;
    case WM_DESTROY:
        StoreHostFramePlace();
        break;
    default:
        break;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}
