#pragma once
// The object a motion-control script sees as the item "Drovel": members 1-20
// of its dispatch interface open serial ports and talk to the device, set
// and read the script's variables, arm the runner's timer, wait, trace, and
// read cursor and screen values. It lives on its runner's thread, but its
// ports may be closed by the runner from another thread (DeviceLinks). Once
// the runner's stop event is set every member fails, so a script loop that
// calls the object ends by itself.

#include "common/automation/AutomationObject.h"
#include "base/com/RefPtr.h"
#include "base/win/UniqueHandle.h"
#include "motion/codec/DeviceLinks.h"
#include "motion/codec/LiveCounts.h"
#include "motion/codec/ScriptVariables.h"

#include <string>

class DispatchArguments;

class CDrovelObject final : public CAutomationObject {
public:
    // Ports 1 to 9 select a device link; entry 0 is never used.
    static constexpr int kLinks = DeviceLinks::kLinks;
    // Attempts of one send while the device answers with a failure.
    static constexpr int kSendAttempts = 10;

    // Reference count 1, owned by the caller. Opens the runner's "-Stop"
    // event and "-Timer" timer by name; `variables` must outlive the object.
    CDrovelObject(const std::wstring& runnerName, ScriptVariables* variables);

    STDMETHODIMP Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // The routine the script named for received records; empty for none.
    const std::wstring& CallbackRoutine() const { return m_callbackRoutine; }
    // The object's ports, which its runner may close from another thread.
    RefPtr<DeviceLinks> Links() const { return m_links; }

private:
    ~CDrovelObject() override = default;

    bool StopRequested() const;
    HRESULT RunMember(DISPID member, const DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception,
                      DispatchArguments& args);
    HRESULT PortMember(DISPID member, VARIANT* result, EXCEPINFO* exception, DispatchArguments& args);
    // A port member's converted arguments.
    struct PortArguments {
        LONG port = 0;
        LONG number = 0;   // baud, flags or count, as the member has it
        LONG flags = 0;
        std::wstring first, second, third;
    };
    // Runs a port member on its link, under the set's lock.
    HRESULT LinkMember(DISPID member, CMCCGISerial& link, const PortArguments& a, VARIANT* result,
                       EXCEPINFO* exception);
    HRESULT ScriptMember(DISPID member, const DISPPARAMS& params, VARIANT* result, EXCEPINFO* exception,
                         DispatchArguments& args);
    HRESULT ScreenMember(DISPID member, VARIANT* result);
    // Repeats a send while it fails and the runner is not being stopped.
    int SendWithRetries(CMCCGISerial& link, const std::wstring& command, const wchar_t* expected,
                        LONG flags, LONG count) const;

    LiveCount m_live{LiveCount::kDrovelObject};
    UniqueKernelHandle m_stopEvent;
    UniqueKernelHandle m_timer;
    ScriptVariables* const m_variables;
    const RefPtr<DeviceLinks> m_links;
    std::wstring m_callbackRoutine;
    const std::wstring m_runnerName;
};
