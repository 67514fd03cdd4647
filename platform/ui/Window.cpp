#include "platform/ui/Window.h"

#include "platform/ui/Module.h"

namespace {

// Each module that links this layer has its own CWnd class, so the property
// that maps a window to its object is named per module.
const wchar_t* ObjectProperty()
{
    static const std::wstring name =
        L"CWnd:" + std::to_wstring(reinterpret_cast<UINT_PTR>(CurrentModule()));
    return name.c_str();
}

// A subclass that someone else subclassed in turn cannot take itself out of
// the chain when its object goes; its procedure stays and forwards to the
// procedure it replaced, kept under this name.
const wchar_t* LeftoverProcProperty()
{
    static const std::wstring name =
        L"CWnd.previous:" + std::to_wstring(reinterpret_cast<UINT_PTR>(CurrentModule()));
    return name.c_str();
}

// The child window a notification or colour message is about, if any.
HWND ReflectionSource(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_DELETEITEM:
        return lParam ? reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_COMPAREITEM:
        return lParam ? reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(item->CtlID))
                                                 : nullptr;
    }
    default:
        (void)wParam;
        return nullptr;
    }
}

// Handlers of this module running on the thread, and the objects waiting
// for them to return before they are deleted.
thread_local int t_handlerDepth = 0;
thread_local CWnd* t_toDelete = nullptr;

} // namespace

class CWnd::CHandlerScope {
public:
    CHandlerScope() { ++t_handlerDepth; }
    ~CHandlerScope()
    {
        if (--t_handlerDepth != 0) return;
        while (CWnd* object = t_toDelete) {
            t_toDelete = object->m_nextToDelete;
            delete object;
        }
    }
    CHandlerScope(const CHandlerScope&) = delete;
    CHandlerScope& operator=(const CHandlerScope&) = delete;
};

void CWnd::DeleteWhenHandlersReturn()
{
    if (t_handlerDepth == 0) {
        delete this;
        return;
    }
    m_nextToDelete = t_toDelete;
    t_toDelete = this;
}

CWnd::~CWnd()
{
    if (!m_hWnd) return;
    if (m_owned)
        ::DestroyWindow(m_hWnd);
    else
        UnsubclassWindow();
    if (m_hWnd) Detach(); // the window belongs to another thread or is already dying
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                    DWORD style, const RECT& rect, HWND parent, UINT id, void* param)
{
    if (m_hWnd) return false;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = ::CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menu,
                                  CurrentModule(), param);
    if (!hwnd) return false;
    if (!Attach(hwnd, true)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool CWnd::SubclassWindow(HWND hwnd)
{
    if (m_hWnd || !::IsWindow(hwnd) || !Attach(hwnd, false)) return false;
    OnSubclassed();
    return true;
}

bool CWnd::SubclassDlgItem(int id, HWND parent)
{
    return SubclassWindow(::GetDlgItem(parent, id));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (hwnd) Detach();
    return hwnd;
}

bool CWnd::DestroyWindow()
{
    return m_hWnd && ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, ObjectProperty())) : nullptr;
}

bool CWnd::PreTranslateMessage(MSG&)
{
    return false;
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, msg, wParam, lParam);
}

std::wstring CWnd::GetWindowText() const
{
    return WindowText(m_hWnd);
}

void CWnd::SetWindowText(const std::wstring& text)
{
    ::SetWindowTextW(m_hWnd, text.c_str());
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}

void CWnd::SetFont(HFONT font, bool redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE));
}

void CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>((GetStyle() & ~remove) | add));
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetRectInParent() const
{
    return ::GetRectInParent(m_hWnd);
}

std::wstring RegisterModuleWindowClass(const wchar_t* prefix, UINT style, int backgroundColor)
{
    std::wstring name = std::wstring(prefix) + L":" + std::to_wstring(reinterpret_cast<UINT_PTR>(CurrentModule()));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = style;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = CurrentModule();
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(backgroundColor + 1));
    windowClass.lpszClassName = name.c_str();
    if (!::RegisterClassExW(&windowClass) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        name.clear();
    return name;
}

RECT GetRectInParent(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    if (::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void CWnd::Invalidate(bool erase)
{
    ::InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool CWnd::OnReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

LRESULT CWnd::Default(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!m_previousProc) return ::DefWindowProcW(m_hWnd, msg, wParam, lParam);
    return ::CallWindowProcW(m_previousProc, m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::WindowProcThunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* self = FromHandle(hwnd);
    if (!self) {
        auto leftover = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, LeftoverProcProperty()));
        if (msg == WM_NCDESTROY) ::RemovePropW(hwnd, LeftoverProcProperty());
        return leftover ? ::CallWindowProcW(leftover, hwnd, msg, wParam, lParam)
                        : ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    CHandlerScope handling;
    LRESULT result = 0;
    try {
        result = self->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's dispatcher.
        ::OutputDebugStringW(L"CWnd: exception in a message handler\n");
        result = self->Default(msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY && self->m_hWnd == hwnd) {
        self->Detach();
        try {
            self->PostNcDestroy();
        } catch (...) {
            ::OutputDebugStringW(L"CWnd: exception after the window was destroyed\n");
        }
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectToChild(msg, wParam, lParam, result)) return result;
    if (OnMessage(msg, wParam, lParam, result)) return result;
    return Default(msg, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    HWND source = ReflectionSource(m_hWnd, msg, wParam, lParam);
    if (!source || source == m_hWnd || ::GetParent(source) != m_hWnd) return false;
    CWnd* child = FromHandle(source);
    return child && child->OnReflectedMessage(msg, wParam, lParam, result);
}

bool CWnd::Attach(HWND hwnd, bool owned)
{
    if (FromHandle(hwnd) || !::SetPropW(hwnd, ObjectProperty(), this)) return false;
    m_hWnd = hwnd;
    m_owned = owned;
    if (auto leftover = reinterpret_cast<WNDPROC>(::RemovePropW(hwnd, LeftoverProcProperty()))) {
        // Our procedure is still in the chain: take its place again rather
        // than add a second one that would call into the first.
        m_previousProc = leftover;
        return true;
    }
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProcThunk)));
    return true;
}

void CWnd::Detach()
{
    // Someone who subclassed after us keeps the chain: leave the procedure,
    // forwarding to the one it replaced.
    if (::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&WindowProcThunk))
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    else if (m_previousProc)
        ::SetPropW(m_hWnd, LeftoverProcProperty(), reinterpret_cast<HANDLE>(m_previousProc));
    ::RemovePropW(m_hWnd, ObjectProperty());
    m_hWnd = nullptr;
    m_previousProc = nullptr;
    m_owned = false;
}

bool CStatic::Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, UINT id)
{
    return CreateEx(0, L"STATIC", text, style, rect, parent, id);
}

std::wstring WindowText(HWND window)
{
    const int length = window ? ::GetWindowTextLengthW(window) : 0;
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}
