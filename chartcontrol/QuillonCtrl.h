#pragma once
// CQuillonCtrl, the Plotvane control: what the host calls on it, by the
// dispatch ids of its type library.

#include <string>

#include "base/com/ThreadClassCache.h"
#include "platform/activex/ActiveXControl.h"

// Dispatch ids, in the type library's order.
enum QuillonMember : DISPID {
    kOnInitialize = 1,
    kOnQuillon,
    kSetLyric,
    kLyricEvent,
    kLyricTransition,
    kLyricEventEx,
    kLocateLabel,
    kAboutBox,
    kTrellanGuid,
    kMakeGroup,
    kAddXAxisLabels,
    kAddYAxisLabels,
    kMakeLabelKeyframes,
    kLocateInfoLabel,
    kVantreGuid,
    kUpdateChart,
};

class CQuillonCtrl final : public CActiveXControl {
public:
    CQuillonCtrl(const ComServer& server, const ComClass& type);

protected:
    ~CQuillonCtrl() override;

    void InvokeMember(DISPID id, CDispatchCall& call) override;
    HRESULT ExceptionResult(EXCEPINFO* info) override;
    bool OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void InvokeChartMember(DISPID id, CDispatchCall& call);
    void OnInitialize(CDispatchCall& call);
    void OnQuillon();
    void SetLyric(CDispatchCall& call);
    void LyricEvent(LONG event);
    void LyricEventEx(const VARIANT& event);
    void HostEvent(LONG event);
    void AboutBox();
    void UpdateChart(const std::wstring& text);

    // The classes every chart update makes again (the SAX reader of each
    // provider reply), kept while the control lives and used on its thread
    // only; they go with the control, before the module can unload.
    CThreadClassCache m_classes{CThreadClassCache::Kept{}};
    IDispatch* m_application = nullptr;  // no reference: the host outlives its plug-ins
    bool m_suspended = false;            // event 3: refreshes take the active canvas's scene
};

// The module's one server: the control class and its type library.
const ComServer& QuillonServer();
