#include "testing/geohost/StandInHostPanel.h"

namespace {

const wchar_t kPanelClass[] = L"GeoHostPanel";

void RegisterPanelClass(WNDPROC proc)
{
    WNDCLASSW windowClass{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), kPanelClass, &windowClass))
        return;
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kPanelClass;
    RegisterClassW(&windowClass);
}

}  // namespace

CStandInHostPanel::CStandInHostPanel(const wchar_t* notice, int width, int height)
{
    RegisterPanelClass(&PanelProc);
    // A frame without caption, shown without activation: no window manager
    // looks after it, so closing it waits for nobody.
    m_frame = CreateWindowExW(0, L"STATIC", L"Stand-in host", WS_POPUP | WS_BORDER, 20, 20, width, height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!m_frame)
        return;
    RECT client{};
    GetClientRect(m_frame, &client);
    m_panel = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, client.right,
                              client.bottom, m_frame, nullptr, GetModuleHandleW(nullptr), this);
    if (!m_panel)
        return;
    SetWindowLongPtrW(m_panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_object.handle = m_panel;
    if (notice)
        m_notice = CreateWindowExW(0, L"STATIC", notice, WS_CHILD | WS_VISIBLE, 10, 10, 300, 20, m_panel, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    ShowWindow(m_frame, SW_SHOWNA);
}

CStandInHostPanel::~CStandInHostPanel()
{
    Destroy();
}

void CStandInHostPanel::Destroy()
{
    if (m_frame && IsWindow(m_frame))
        DestroyWindow(m_frame);
    m_frame = m_panel = m_notice = nullptr;
}

LRESULT CALLBACK CStandInHostPanel::PanelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CStandInHostPanel*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND && self)
        ++self->m_erases;
    if (msg == WM_NCDESTROY && self) {
        self->m_panel = nullptr;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
