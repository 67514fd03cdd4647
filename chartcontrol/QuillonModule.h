#pragma once
// The chart control module's process-wide state. Everything runs on the
// host's thread that calls the control, so none of it is guarded.

#include <windows.h>
#include <oaidl.h>

#include "chartcontrol/DateMap.h"

struct QuillonModuleState {
    // The host application from OnInitialize, used by every chart update. No
    // reference is held: the host outlives its plug-ins.
    IDispatch* application = nullptr;
    // Set while a refresh started by a host event runs.
    bool refreshing = false;
    // Loaded once at start-up from "datemap.txt" beside the module.
    DateMap dateMap;
};

QuillonModuleState& QuillonModule();

// The editor window; forgotten as soon as that window is destroyed.
void KeepEditorWindow(HWND window);
HWND EditorWindow();

// The module's start-up (the date map), run once on first use: never inside
// DllMain, where no file may be read safely.
void StartQuillonModule();
