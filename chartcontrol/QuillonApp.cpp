#include "chartcontrol/QuillonApp.h"

#include <commctrl.h>

#include <string>

#include "chartcontrol/ModulePath.h"

namespace {

constexpr UINT_PTR kEditorWatch = 0x51554c4c;  // the subclass's id

} // namespace

CQuillonApp& QuillonApp()
{
    static CQuillonApp app;
    return app;
}

void CQuillonApp::InitInstance()
{
    if (m_started)
        return;
    m_started = true;
    std::wstring path;
    if (GetOcxSiblingPath(L"datemap.txt", path))
        LoadDateMap(path, m_dateMap);
}

LRESULT CALLBACK CQuillonApp::WatchEditor(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR app)
{
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(window, WatchEditor, kEditorWatch);
        CQuillonApp& self = *reinterpret_cast<CQuillonApp*>(app);
        if (self.m_editorWindow == window)
            self.m_editorWindow = nullptr;
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

void CQuillonApp::KeepEditorWindow(HWND window)
{
    if (m_editorWindow && m_editorWindow != window)
        RemoveWindowSubclass(m_editorWindow, WatchEditor, kEditorWatch);
    const bool watched =
        window && SetWindowSubclass(window, WatchEditor, kEditorWatch, reinterpret_cast<DWORD_PTR>(this));
    m_editorWindow = watched ? window : nullptr;
}
