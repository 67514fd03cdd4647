#pragma once
// CQuillonApp, the chart control module's application object, and the
// module's process-wide state. Everything runs on the host's thread that
// calls the control, so none of it is guarded.

#include <windows.h>
#include <oaidl.h>

#include "chartcontrol/DateMap.h"

class CQuillonApp {
public:
    // The start-up: loads "datemap.txt" beside the module. It runs once, on
    // the module's first use: never inside DllMain, where no file may be read.
    void InitInstance();

    // The host application from OnInitialize, used by every chart update. No
    // reference is held: the host outlives its plug-ins.
    IDispatch* Application() const { return m_application; }
    void SetApplication(IDispatch* application) { m_application = application; }

    // Set while a refresh started by a host event runs.
    bool IsRefreshing() const { return m_refreshing; }
    void SetRefreshing(bool refreshing) { m_refreshing = refreshing; }

    DateMap& Dates() { return m_dateMap; }

    // The editor window; forgotten as soon as that window is destroyed.
    void KeepEditorWindow(HWND window);
    HWND EditorWindow() const { return m_editorWindow; }

private:
    static LRESULT CALLBACK WatchEditor(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR app);

    bool m_started = false;
    IDispatch* m_application = nullptr;
    bool m_refreshing = false;
    DateMap m_dateMap;
    HWND m_editorWindow = nullptr;
};

// The module's one application object.
CQuillonApp& QuillonApp();
