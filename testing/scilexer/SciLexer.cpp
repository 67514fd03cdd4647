// Stand-in for the editing component's DLL: loading it registers the
// "Scintilla" window class, a multi-line edit control that answers the
// component's messages (see StandInEditor); unloading removes the class.

#include "testing/scilexer/StandInEditor.h"

#include <windows.h>
#include <memory>

namespace {

constexpr wchar_t kClassName[] = L"Scintilla";

WNDPROC g_editProc = nullptr;
int g_stateOffset = 0; // our slot behind the edit control's own window bytes

StandInEditor* EditorOf(HWND hwnd)
{
    return reinterpret_cast<StandInEditor*>(::GetWindowLongPtrW(hwnd, g_stateOffset));
}

bool IsEditorMessage(UINT message)
{
    return message >= 2000 && message < 10000;
}

// The component's direct-call entry: the pointer is the window's editor.
sptr_t DirectFunction(sptr_t ptr, unsigned int message, uptr_t wParam, sptr_t lParam)
{
    try {
        auto* editor = reinterpret_cast<StandInEditor*>(ptr);
        return editor ? editor->Handle(message, wParam, lParam) : 0;
    } catch (...) {
        return 0;
    }
}

LRESULT CALLBACK EditorWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_NCCREATE: {
            // Always a multi-line edit, whatever style the caller gave.
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            create->style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL |
                             WS_VSCROLL | WS_HSCROLL;
            ::SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(create->style));
            auto editor = std::make_unique<StandInEditor>(hwnd, g_editProc);
            if (!::CallWindowProcW(g_editProc, hwnd, message, wParam, lParam)) return FALSE;
            ::SetWindowLongPtrW(hwnd, g_stateOffset, reinterpret_cast<LONG_PTR>(editor.release()));
            return TRUE;
        }
        case WM_CREATE: {
            const LRESULT result = ::CallWindowProcW(g_editProc, hwnd, message, wParam, lParam);
            ::CallWindowProcW(g_editProc, hwnd, EM_SETLIMITTEXT, 0, 0); // no text limit
            return result;
        }
        case WM_NCDESTROY: {
            const LRESULT result = ::CallWindowProcW(g_editProc, hwnd, message, wParam, lParam);
            std::unique_ptr<StandInEditor> editor(EditorOf(hwnd));
            ::SetWindowLongPtrW(hwnd, g_stateOffset, 0);
            return result;
        }
        case SciMessage::GetDirectFunction:
            return reinterpret_cast<LRESULT>(&DirectFunction);
        default:
            if (IsEditorMessage(message)) {
                StandInEditor* editor = EditorOf(hwnd);
                return editor ? editor->Handle(message, wParam, lParam) : 0;
            }
            return ::CallWindowProcW(g_editProc, hwnd, message, wParam, lParam);
        }
    } catch (...) {
        return 0;
    }
}

bool RegisterEditorClass(HINSTANCE module)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(nullptr, L"EDIT", &wc)) return false;
    g_editProc = wc.lpfnWndProc;
    g_stateOffset = wc.cbWndExtra;
    wc.cbWndExtra += static_cast<int>(sizeof(LONG_PTR));
    wc.lpfnWndProc = &EditorWindowProc;
    wc.hInstance = module;
    wc.lpszClassName = kClassName;
    wc.style |= CS_GLOBALCLASS; // found whatever module creates the window
    return ::RegisterClassExW(&wc) != 0;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        ::DisableThreadLibraryCalls(module);
        return RegisterEditorClass(module) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        ::UnregisterClassW(kClassName, module);
        return TRUE;
    default:
        return TRUE;
    }
}
