#include "common/script/ScriptEngine.h"

#include <cwchar>

#include "base/com/ComBoundary.h"
#include "base/com/ComTypes.h"
#include "base/com/ScopedExcepInfo.h"
#include "base/com/ThreadClassCache.h"
#include "base/errors/FailureReport.h"

namespace {

wchar_t AsciiLower(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool EqualIgnoringAsciiCase(const wchar_t* a, const std::wstring& b)
{
    if (!a || wcslen(a) != b.size())
        return false;
    for (size_t i = 0; i < b.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    }
    return true;
}

// Errors the scripts raise on purpose to stop quietly.
constexpr wchar_t kSilentErrorMarker[] = L"(Script Error: Type mismatch";

}  // namespace

CScriptEngine::CScriptEngine(ScriptEngineOptions options) : m_options(std::move(options))
{
    // A failed lookup leaves CLSID_NULL, which CreateEngine's first step reports.
    ClassIdFromProgId(m_options.engineProgId, m_engineClass);
}

CScriptEngine::~CScriptEngine()
{
    m_engine.Reset();
    m_parser.Reset();
    m_scriptObject.Reset();
}

void CScriptEngine::LogFailure(const wchar_t* what, HRESULT hr) const
{
    if (!m_options.log)
        return;
    m_options.log(what + HResultText(hr));
}

// Closing the engine makes it release the site it holds, so a failed set-up
// leaves neither the engine nor a reference on this host behind.
void CScriptEngine::DiscardEngine()
{
    if (m_engine)
        m_engine->Close();
    m_parser.Reset();
    m_engine.Reset();
    m_scriptObject.Reset();
}

bool CScriptEngine::CreateEngine()
{
    if (m_engine)
        DiscardEngine();   // one engine per host: a second set-up starts afresh

    HRESULT hr = CreateComInstance(m_engineClass, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                   reinterpret_cast<void**>(m_engine.Put()));
    if (FAILED(hr) || !m_engine) {
        m_engine.Reset();
        LogFailure(L"Failed to create Script Engine hr = ", FAILED(hr) ? hr : E_NOINTERFACE);
        return false;
    }
    hr = m_engine->QueryInterface(IID_IActiveScriptParse, reinterpret_cast<void**>(m_parser.Put()));
    if (FAILED(hr)) {
        LogFailure(L"Failed Getting IActiveScriptParse interface, hr = ", hr);
        DiscardEngine();
        return false;
    }
    hr = m_engine->SetScriptSite(static_cast<IActiveScriptSite*>(this));
    if (FAILED(hr)) {
        LogFailure(L"Failed setting script site, hr = ", hr);
        DiscardEngine();
        return false;
    }
    hr = m_parser->InitNew();
    if (FAILED(hr)) {
        LogFailure(L"Failed on InitNew, hr = ", hr);
        DiscardEngine();
        return false;
    }
    if (m_options.createObject)
        m_scriptObject = m_options.createObject();
    if (!m_scriptObject) {
        LogFailure(L"Failed creating the script object, hr = ", E_OUTOFMEMORY);
        DiscardEngine();
        return false;
    }
    // Results ignored: a script that cannot see the item reports it itself.
    m_engine->AddNamedItem(m_options.itemName.c_str(), m_options.itemFlags);
    m_engine->SetScriptState(SCRIPTSTATE_INITIALIZED);
    return true;
}

bool CScriptEngine::RunScript()
{
    if (!m_engine || !m_parser) {
        if (m_options.log)
            m_options.log(L"Null Engine");
        return false;
    }
    ScopedVariant result;
    ScopedExcepInfo exception;
    // A failed parse was already reported through OnScriptError.
    if (FAILED(m_parser->ParseScriptText(m_scriptText.c_str(), nullptr, nullptr, nullptr, 0, 0, 0,
                                         result.Get(), exception.Get())))
        return false;
    return SUCCEEDED(m_engine->SetScriptState(SCRIPTSTATE_CONNECTED));
}

void CScriptEngine::NotifyScriptObject()
{
    if (m_scriptObject)
        m_scriptObject->NotifyScriptObject();
}

void CScriptEngine::SetResultTree(CXmlNode* root)
{
    if (m_scriptObject)
        m_scriptObject->SetResultTree(root);
}

bool CScriptEngine::CallSub(const std::wstring& routineCall)
{
    if (!m_engine || !m_parser)
        return false;
    // Built to its full length: real calls carry six quoted request strings.
    const std::wstring text = L"Call " + routineCall + L"\n";
    m_errorReported = false;
    ScopedExcepInfo exception;
    if (FAILED(m_parser->ParseScriptText(text.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr,
                                         exception.Get())))
        return false;
    // An engine that was not connected yet (its global code failed) runs the
    // call only now, and its error does not show in the state's result.
    return SUCCEEDED(m_engine->SetScriptState(SCRIPTSTATE_CONNECTED)) && !m_errorReported;
}

bool CScriptEngine::Close()
{
    const bool closed = m_engine && SUCCEEDED(m_engine->Close());
    // Let go of the run whatever the engine answered: an engine that cannot
    // close (asked from another thread than its own) still ends with its
    // last reference, and takes the script object and this site with it.
    m_parser.Reset();
    m_engine.Reset();
    m_scriptObject.Reset();
    return closed;
}

HRESULT CScriptEngine::Interrupt()
{
    m_interrupted = true;
    if (m_scriptObject)
        m_scriptObject->StopCalls();
    if (!m_engine)
        return E_UNEXPECTED;
    // The one engine method meant to be called from another thread.
    ScopedExcepInfo exception;
    return m_engine->InterruptScriptThread(SCRIPTTHREADID_ALL, exception.Get(), 0);
}

STDMETHODIMP CScriptEngine::GetLCID(LCID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CScriptEngine::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** unknown, ITypeInfo** info)
{
    if (mask & SCRIPTINFO_IUNKNOWN) {
        if (!unknown)
            return E_INVALIDARG;
        *unknown = nullptr;
    }
    if (mask & SCRIPTINFO_ITYPEINFO) {
        if (!info)
            return E_INVALIDARG;
        *info = nullptr;
    }
    return ComBoundary([&]() -> HRESULT {
        if (!m_scriptObject || !EqualIgnoringAsciiCase(name, m_options.itemName))
            return TYPE_E_ELEMENTNOTFOUND;
        if (mask & SCRIPTINFO_IUNKNOWN) {
            *unknown = static_cast<IDispatch*>(m_scriptObject.Get());
            (*unknown)->AddRef();
            return S_OK;
        }
        if (mask & SCRIPTINFO_ITYPEINFO)
            return m_scriptObject->LoadObjectTypeInfo(info);
        return TYPE_E_ELEMENTNOTFOUND;
    });
}

STDMETHODIMP CScriptEngine::GetDocVersionString(BSTR*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CScriptEngine::OnScriptTerminate(const VARIANT*, const EXCEPINFO*)
{
    return S_OK;
}

STDMETHODIMP CScriptEngine::OnStateChange(SCRIPTSTATE)
{
    return S_OK;
}

STDMETHODIMP CScriptEngine::OnScriptError(IActiveScriptError* error)
{
    m_errorReported = true;
    if (!error)
        return S_OK;
    // Nothing may escape into the engine; an error that cannot be reported
    // goes unlogged, and the site answers S_OK whatever happened.
    ComBoundary([&] {
        ScopedExcepInfo exception;
        if (FAILED(error->GetExceptionInfo(exception.Get())))
            return S_OK;
        exception.Complete();

        ScriptError report;
        report.description = exception.Description();
        report.source = exception.Source();
        if (report.description.find(kSilentErrorMarker) != std::wstring::npos)
            return S_OK;
        DWORD context = 0;
        report.hasPosition = SUCCEEDED(error->GetSourcePosition(&context, &report.line, &report.character));

        if (m_options.reportError)
            m_options.reportError(report);
        else
            WriteScriptErrorLines(report, m_options.log);
        return S_OK;
    });
    return S_OK;
}

STDMETHODIMP CScriptEngine::OnEnterScript()
{
    return S_OK;
}

STDMETHODIMP CScriptEngine::OnLeaveScript()
{
    return S_OK;
}

STDMETHODIMP CScriptEngine::GetWindow(HWND* window)
{
    if (window)
        *window = nullptr;
    return E_FAIL;
}

STDMETHODIMP CScriptEngine::EnableModeless(BOOL)
{
    return E_FAIL;
}

STDMETHODIMP CScriptEngine::QueryContinue()
{
    return m_interrupted ? S_FALSE : S_OK;
}
