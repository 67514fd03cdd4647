#pragma once
// Hosts one run of one VBScript: creates the engine, adds the deliverable's
// script-visible object as a named item, parses the script, calls routines
// and hands the engine's errors to the deliverable's log.
//
// The engine holds the host as its site once the engine exists, so a host
// whose CreateEngine succeeded must be closed (Close) before its last Release.

#include <windows.h>
#include <activscp.h>

#include <atomic>
#include <functional>
#include <string>

#include "common/automation/AutomationObject.h"
#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"
#include "common/script/ScriptError.h"

struct ScriptEngineOptions {
    std::wstring itemName;   // the name under which scripts reach the object
    DWORD itemFlags = SCRIPTITEM_ISVISIBLE | SCRIPTITEM_ISSOURCE | SCRIPTITEM_GLOBALMEMBERS;
    // Makes the script-visible object (one reference, kept by the host);
    // null means it could not be made.
    std::function<RefPtr<CAutomationObject>()> createObject;
    // The host's own failure lines; empty keeps the host silent.
    LogSink log;
    // Errors the engine reports; empty writes WriteScriptErrorLines to `log`.
    std::function<void(const ScriptError&)> reportError;
    std::wstring engineProgId = L"VBScript";
};

class CScriptEngine final
    : public ComObject<IActiveScriptSite, IActiveScriptSiteWindow, IActiveScriptSiteInterruptPoll> {
public:
    // Reference count 1, owned by the caller.
    explicit CScriptEngine(ScriptEngineOptions options);

    void SetScriptText(const std::wstring& text) { m_scriptText = text; }
    // False when the engine could not be set up; nothing is left open then.
    bool CreateEngine();
    // Parses the whole text as global code (which runs) and connects the engine.
    bool RunScript();
    void NotifyScriptObject();
    void SetResultTree(CXmlNode* root);
    // `routineCall` is a routine name, optionally followed by its arguments
    // in script syntax; the routine runs during the call. False also when the
    // engine reported an error while it ran.
    bool CallSub(const std::wstring& routineCall);
    // Closes the engine and lets go of it and of the script object.
    bool Close();

    // Stops the running script through every means there is: the engine's
    // own interruption, the site's answer to the engine's polls, and the
    // script object refusing further calls. Called from another thread (a
    // watchdog) between CreateEngine and Close. The engine's result: engines
    // that cannot interrupt a thread answer E_NOTIMPL.
    HRESULT Interrupt();
    bool Interrupted() const { return m_interrupted; }

    RefPtr<IActiveScript> Engine() const { return m_engine; }
    CAutomationObject* ScriptObject() const { return m_scriptObject.Get(); }

    // IActiveScriptSite
    STDMETHODIMP GetLCID(LCID* locale) override;
    STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** unknown, ITypeInfo** info) override;
    STDMETHODIMP GetDocVersionString(BSTR* version) override;
    STDMETHODIMP OnScriptTerminate(const VARIANT* result, const EXCEPINFO* exception) override;
    STDMETHODIMP OnStateChange(SCRIPTSTATE state) override;
    STDMETHODIMP OnScriptError(IActiveScriptError* error) override;
    STDMETHODIMP OnEnterScript() override;
    STDMETHODIMP OnLeaveScript() override;

    // IActiveScriptSiteWindow: no window, so no message or input boxes.
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

    // IActiveScriptSiteInterruptPoll: S_FALSE once interrupted.
    STDMETHODIMP QueryContinue() override;

private:
    ~CScriptEngine() override;
    void LogFailure(const wchar_t* what, HRESULT hr) const;
    void DiscardEngine();

    const ScriptEngineOptions m_options;
    CLSID m_engineClass = CLSID_NULL;
    RefPtr<IActiveScript> m_engine;
    RefPtr<IActiveScriptParse> m_parser;
    RefPtr<CAutomationObject> m_scriptObject;
    std::wstring m_scriptText;
    bool m_errorReported = false;   // set by OnScriptError
    std::atomic<bool> m_interrupted{false};
};
