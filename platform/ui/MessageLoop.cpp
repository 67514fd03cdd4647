#include "platform/ui/MessageLoop.h"

#include "platform/ui/Window.h"

namespace {

void Handle(MSG& msg)
{
    if (!PreTranslateWindowMessage(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

} // namespace

bool PreTranslateWindowMessage(MSG& msg, HWND top)
{
    for (HWND hwnd = msg.hwnd; hwnd && ::IsWindow(hwnd);) {
        if (CWnd* wnd = CWnd::FromHandle(hwnd)) {
            try {
                if (wnd->PreTranslateMessage(msg)) return true;
            } catch (...) {
                ::OutputDebugStringW(L"PreTranslateMessage: exception\n");
            }
        }
        if (hwnd == top || !::IsWindow(hwnd) || !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD)) break;
        hwnd = ::GetParent(hwnd);
    }
    return false;
}

int RunMessageLoop()
{
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        Handle(msg);
    }
}

void PumpWaitingMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Handle(msg);
    }
}
