#include "chartcontrol/QuillonModule.h"

#include <commctrl.h>

#include <string>

#include "chartcontrol/ModulePath.h"

namespace {

HWND g_editorWindow = nullptr;

constexpr UINT_PTR kEditorWatch = 0x51554c4c;  // the subclass's id

LRESULT CALLBACK WatchEditor(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(window, WatchEditor, kEditorWatch);
        if (g_editorWindow == window)
            g_editorWindow = nullptr;
    }
    return DefSubclassProc(window, msg, wParam, lParam);
}

} // namespace

QuillonModuleState& QuillonModule()
{
    static QuillonModuleState state;
    return state;
}

void KeepEditorWindow(HWND window)
{
    if (g_editorWindow && g_editorWindow != window)
        RemoveWindowSubclass(g_editorWindow, WatchEditor, kEditorWatch);
    g_editorWindow = window && SetWindowSubclass(window, WatchEditor, kEditorWatch, 0) ? window : nullptr;
}

HWND EditorWindow()
{
    return g_editorWindow;
}

void StartQuillonModule()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    std::wstring path;
    if (GetOcxSiblingPath(L"datemap.txt", path))
        LoadDateMap(path, QuillonModule().dateMap);
}
