#include "platform/ui/MessageLoop.h"

#include "platform/ui/Window.h"

namespace {

// What accelerators, dialog keys and tooltips look at. Any other message
// skips the walk: finding a window's object is a round trip to Wine's
// server, and a socket notification or timer tick would pay it for nothing.
bool IsInputMessage(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

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
    if (!IsInputMessage(msg.message)) return false;
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
