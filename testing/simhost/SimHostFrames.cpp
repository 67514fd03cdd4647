// The host's frame windows: MDIFrame sites a control through Wine's own
// ActiveX host window, as a real container does.
#include "testing/simhost/SimHost.h"

#include "base/com/ComTypes.h"

namespace {

const wchar_t kFrameClass[] = L"VelmoraSimHostFrame";

// The container fills the frame.
LRESULT CALLBACK FrameProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE)
        if (HWND container = GetWindow(window, GW_CHILD))
            MoveWindow(container, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return DefWindowProcW(window, msg, wParam, lParam);
}

// atl.dll with its window class registered, for the whole process.
class CAtlHosting {
public:
    static CAtlHosting& Instance()
    {
        static CAtlHosting hosting;
        return hosting;
    }
    bool Ready() const { return m_getControl != nullptr; }
    HRESULT GetControl(HWND container, RefPtr<IUnknown>& control) const
    {
        return m_getControl(container, control.Put());
    }

private:
    using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

    CAtlHosting()
    {
        HMODULE atl = LoadLibraryW(L"atl.dll");  // stays loaded: its windows may outlive any owner of ours
        auto init = atl ? reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")))
                        : nullptr;
        auto getControl = atl ? reinterpret_cast<GetControlFn>(
                                    reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")))
                              : nullptr;
        WNDCLASSEXW frameClass{};
        frameClass.cbSize = sizeof frameClass;
        frameClass.lpfnWndProc = FrameProcedure;
        frameClass.hInstance = GetModuleHandleW(nullptr);
        frameClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        frameClass.lpszClassName = kFrameClass;
        if (init && getControl && init() && RegisterClassExW(&frameClass))
            m_getControl = getControl;
    }

    GetControlFn m_getControl = nullptr;
};

} // namespace

bool CSimHost::OpenFrameWindow(const std::wstring& caption, const RECT& place, const std::wstring& progId,
                               std::wstring& error)
{
    const CAtlHosting& atl = CAtlHosting::Instance();
    if (!atl.Ready()) {
        error = L"No ActiveX host window (atl.dll)";
        return false;
    }
    SimFrameWindow window;
    window.caption = caption;
    window.progId = progId;
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | (m_frameArea ? WS_CHILD | WS_CLIPSIBLINGS : 0);
    window.frame = CreateWindowExW(0, kFrameClass, caption.c_str(), style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, m_frameArea, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (!window.frame) {
        error = L"Cannot open the frame window";
        return false;
    }
    RECT client{};
    GetClientRect(window.frame, &client);
    // The container makes the control from its window text at creation.
    window.container = CreateWindowExW(0, L"AtlAxWin", progId.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                       client.bottom, window.frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    RefPtr<IUnknown> control;
    if (!window.container || FAILED(atl.GetControl(window.container, control)) || !control ||
        FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(window.control.Put())))) {
        DestroyWindow(window.frame);
        error = L"Cannot create the control " + progId;
        return false;
    }
    m_controls.push_back(window.control);

    VARIANT application;
    VariantInit(&application);
    application.vt = VT_DISPATCH;
    application.pdispVal = m_application;
    window.setLyric = CallControl(window.control.Get(), L"SetLyric", DISPATCH_METHOD, {CSimValue(application)}, nullptr);
    m_frameWindows.push_back(std::move(window));
    return true;
}
