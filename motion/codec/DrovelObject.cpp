#include "motion/codec/DrovelObject.h"

#include "common/automation/DispatchArguments.h"
#include "base/com/ComBoundary.h"
#include "base/com/ComTypes.h"
#include "motion/codec/DebugOutput.h"
#include "motion/codec/DrovelIds.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

UINT ArgumentCount(DISPID member)
{
    switch (member) {
    case kSendReceive: case kSendReceiveCount: case kReceiveProcessor: return 4;
    case kOpenPort: case kGetResponse: case kSetGlobal: case kSetNamedEvent: return 2;
    case kGetCursorX: case kGetCursorY: case kGetScreenWidth: case kGetScreenHeight: return 0;
    default: return 1;
    }
}

// The source named in a port-number error, by member.
const wchar_t* PortErrorSource(DISPID member)
{
    switch (member) {
    case kOpenPort: return L"Drovel OpenPort";
    case kSendReceive: return L"Drovel SendReceive";
    case kSendReceiveCount: case kGetResponse: return L"Drovel SendReceiveCount";
    case kReceiveProcessor: return L"Drovel ReceiveProcessor";
    case kReceiveTimeDelta: return L"Drovel ReceiveTimeDelta";
    default: return L"Drovel ReceiveBufferEmpty";
    }
}

HRESULT Raise(EXCEPINFO* exception, const wchar_t* description, const wchar_t* source, SCODE code)
{
    if (exception) {
        ZeroMemory(exception, sizeof(*exception));
        exception->bstrDescription = SysAllocString(description);
        exception->bstrSource = SysAllocString(source);
        exception->scode = code;
    }
    return DISP_E_EXCEPTION;
}

void SetInt(VARIANT* result, LONG value)
{
    if (!result)
        return;
    VariantClear(result);
    V_VT(result) = VT_I4;
    V_I4(result) = value;
}

void SetDouble(VARIANT* result, double value)
{
    if (!result)
        return;
    VariantClear(result);
    V_VT(result) = VT_R8;
    V_R8(result) = value;
}

HRESULT SetText(VARIANT* result, const std::wstring& text)
{
    if (!result)
        return S_OK;
    VariantClear(result);
    BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!copy)
        return E_OUTOFMEMORY;
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = copy;
    return S_OK;
}

bool ValidPort(LONG port)
{
    return port >= 1 && port < CDrovelObject::kLinks;
}

std::wstring HexBytes(const std::vector<BYTE>& bytes)
{
    std::wstring text;
    text.reserve(bytes.size() * 2);
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    for (const BYTE b : bytes) {
        text.push_back(kDigits[b >> 4]);
        text.push_back(kDigits[b & 0x0F]);
    }
    return text;
}

std::wstring ObjectName(const std::wstring& runnerName, const wchar_t* suffix)
{
    return runnerName + suffix;
}

}  // namespace

CDrovelObject::CDrovelObject(const std::wstring& runnerName, ScriptVariables* variables)
    : CAutomationObject(DrovelIdentity(), LogSink()),
      m_stopEvent(OpenEventW(EVENT_ALL_ACCESS, FALSE, ObjectName(runnerName, L"-Stop").c_str())),
      m_timer(OpenWaitableTimerW(TIMER_ALL_ACCESS, FALSE, ObjectName(runnerName, L"-Timer").c_str())),
      m_variables(variables),
      // A stop ends every wait of a device call at once, so the runner never
      // has to end its thread inside one.
      m_links(RefPtr<DeviceLinks>::Adopt(new DeviceLinks(m_stopEvent.Get()))),
      m_runnerName(runnerName)
{
}

bool CDrovelObject::StopRequested() const
{
    return m_stopEvent && WaitForSingleObject(m_stopEvent.Get(), 0) == WAIT_OBJECT_0;
}

STDMETHODIMP CDrovelObject::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!(flags & DISPATCH_METHOD) || member < kOpenPort || member > kSetNamedEvent)
        return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none = {};
    const DISPPARAMS& arguments = params ? *params : none;
    if (arguments.cArgs != ArgumentCount(member) || (member == kGetResponse && !result))
        return DISP_E_BADPARAMCOUNT;
    if (StopRequested())
        return E_ABORT;
    return ComBoundary([&] {
        DispatchArguments args(arguments);
        const HRESULT hr = RunMember(member, arguments, result, exception, args);
        if ((hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW) && argumentError)
            *argumentError = args.FailedBlockPosition();
        return hr;
    });
}

HRESULT CDrovelObject::RunMember(DISPID member, const DISPPARAMS& params, VARIANT* result,
                                 EXCEPINFO* exception, DispatchArguments& args)
{
    switch (member) {
    case kOpenPort: case kSendReceive: case kSendReceiveCount: case kGetResponse:
    case kReceiveProcessor: case kReceiveBufferEmpty: case kReceiveMessage: case kMarkTime:
    case kReceiveTimeDelta:
        return PortMember(member, result, exception, args);
    case kGetCursorX: case kGetCursorY: case kGetScreenWidth: case kGetScreenHeight:
        return ScreenMember(member, result);
    default:
        return ScriptMember(member, params, result, exception, args);
    }
}

int CDrovelObject::SendWithRetries(CMCCGISerial& link, const std::wstring& command,
                                   const wchar_t* expected, LONG flags, LONG count) const
{
    int answer = CMCCGISerial::kNoReply;
    for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
        answer = link.SendCommand(command, expected, flags, count);
        if (answer == CMCCGISerial::kAccepted || StopRequested())
            break;
    }
    return answer;
}

// Arguments are converted last first, so the last bad one is reported; the
// port is checked after all conversions.
HRESULT CDrovelObject::PortMember(DISPID member, VARIANT* result, EXCEPINFO* exception,
                                  DispatchArguments& args)
{
    PortArguments a;
    HRESULT hr = S_OK;
    switch (member) {
    case kOpenPort:
        hr = args.Int32(1, a.number);
        break;
    case kSendReceive:
        hr = args.Int32(3, a.flags);
        if (SUCCEEDED(hr)) hr = args.Text(2, a.second);
        if (SUCCEEDED(hr)) hr = args.Text(1, a.first);
        break;
    case kSendReceiveCount:
        hr = args.Int32(3, a.flags);
        if (SUCCEEDED(hr)) hr = args.Int32(2, a.number);
        if (SUCCEEDED(hr)) hr = args.Text(1, a.first);
        break;
    case kGetResponse:
        hr = args.Int32(1, a.flags);
        break;
    case kReceiveProcessor:
        hr = args.Text(3, a.third);
        if (SUCCEEDED(hr)) hr = args.Text(2, a.second);
        if (SUCCEEDED(hr)) hr = args.Text(1, a.first);
        break;
    default:
        break;
    }
    if (SUCCEEDED(hr))
        hr = args.Int32(0, a.port);
    if (FAILED(hr))
        return hr;
    if (!ValidPort(a.port))
        return Raise(exception, L"Invalid Port Number", PortErrorSource(member), 0);

    // A set closed by the stopping runner answers as a stop does.
    hr = E_ABORT;
    m_links->Use(a.port, [&](CMCCGISerial& link) { hr = LinkMember(member, link, a, result, exception); });
    return hr;
}

HRESULT CDrovelObject::LinkMember(DISPID member, CMCCGISerial& link, const PortArguments& a, VARIANT* result,
                                  EXCEPINFO* exception)
{
    switch (member) {
    case kOpenPort:
        SetInt(result, link.OpenPort(a.port, static_cast<DWORD>(a.number)));
        return S_OK;
    case kSendReceive:
        SetInt(result, SendWithRetries(link, a.first, a.second.c_str(), a.flags, -1));
        return S_OK;
    case kSendReceiveCount:
        SetInt(result, SendWithRetries(link, a.first, nullptr, a.flags, std::max<LONG>(a.number, 0)));
        return S_OK;
    case kGetResponse:
        return SetText(result, link.LastReply(a.flags));
    case kReceiveProcessor:
        if (!link.SetPatterns(a.first, a.second, a.third.empty() ? nullptr : m_runnerName.c_str()))
            return Raise(exception, L"Invalid Pattern", L"Drovel ReceiveProcessor", E_INVALIDARG);
        m_callbackRoutine = a.third;
        return S_OK;
    case kReceiveBufferEmpty:
        SetInt(result, static_cast<LONG>(link.RecordCount()));
        return S_OK;
    case kReceiveMessage: {
        const std::unique_ptr<ReceivedRecord> record = link.PopRecord();
        return SetText(result, record ? HexBytes(record->data) : std::wstring());
    }
    case kMarkTime:
        link.MarkLastRecord();
        return S_OK;
    case kReceiveTimeDelta:
        SetDouble(result, link.TimeSinceMark());
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CDrovelObject::ScriptMember(DISPID member, const DISPPARAMS& params, VARIANT* result,
                                    EXCEPINFO* exception, DispatchArguments& args)
{
    LONG number = 0;
    std::wstring text;
    HRESULT hr = S_OK;
    switch (member) {
    case kPause: {
        if (FAILED(hr = args.Int32(0, number)))
            return hr;
        if (m_stopEvent)
            WaitForSingleObject(m_stopEvent.Get(), static_cast<DWORD>(std::max<LONG>(number, 0)));
        return S_OK;
    }
    case kSetGlobal: {
        // The value is taken as it is; only the name converts.
        if (FAILED(hr = args.Text(0, text)))
            return hr;
        // Script order (name, value): the value is the block's first entry.
        if (!m_variables || FAILED(m_variables->Set(text, params.rgvarg[0])))
            return Raise(exception, L"Error Setting Global Variable", L"Drovel SetGlobal", E_FAIL);
        return S_OK;
    }
    case kSetScriptTimer: {
        if (FAILED(hr = args.Int32(0, number)))
            return hr;
        CancelWaitableTimer(m_timer.Get());
        LARGE_INTEGER due = {};
        if (!SetWaitableTimer(m_timer.Get(), &due, number, nullptr, nullptr, TRUE))
            DebugOutput(L"Error = %d\n", static_cast<int>(GetLastError()));
        return S_OK;
    }
    case kTrace:
        if (FAILED(hr = args.Text(0, text)))
            return hr;
        DebugOutput(L"%ls\n", text.c_str());
        return S_OK;
    case kGetGlobal: {
        if (FAILED(hr = args.Text(0, text)))
            return hr;
        ScopedVariant value;
        ScopedVariant empty;
        V_VT(empty.Get()) = VT_BSTR;
        V_BSTR(empty.Get()) = SysAllocString(L"");
        if (m_variables)
            m_variables->Get(text, *value.Get(), *empty.Get());
        const VARIANT& v = *value.Get();
        return SetText(result, V_VT(&v) == VT_BSTR && V_BSTR(&v)
                                   ? std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v)))
                                   : std::wstring());
    }
    case kIsEventSet: {
        if (FAILED(hr = args.Text(0, text)))
            return hr;
        const UniqueKernelHandle event(OpenEventW(EVENT_ALL_ACCESS, FALSE, text.c_str()));
        SetInt(result, !event ? -1 : WaitForSingleObject(event.Get(), 0) == WAIT_OBJECT_0 ? 1 : 0);
        return S_OK;
    }
    case kSetNamedEvent: {
        if (FAILED(hr = args.Int32(1, number)))
            return hr;
        if (FAILED(hr = args.Text(0, text)))
            return hr;
        const UniqueKernelHandle event(OpenEventW(EVENT_ALL_ACCESS, FALSE, text.c_str()));
        if (event) {
            if (number != 0)
                SetEvent(event.Get());
            else
                ResetEvent(event.Get());
        }
        return S_OK;
    }
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT CDrovelObject::ScreenMember(DISPID member, VARIANT* result)
{
    if (!result)
        return S_OK;
    POINT cursor = {};
    switch (member) {
    case kGetCursorX:
    case kGetCursorY:
        if (!GetCursorPos(&cursor))
            cursor = POINT{};
        SetInt(result, member == kGetCursorX ? cursor.x : cursor.y);
        return S_OK;
    case kGetScreenWidth:
        SetInt(result, GetSystemMetrics(SM_CXSCREEN));
        return S_OK;
    default:
        SetInt(result, GetSystemMetrics(SM_CYSCREEN));
        return S_OK;
    }
}
