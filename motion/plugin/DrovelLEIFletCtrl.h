#pragma once
// CDrovelLEIFletCtrl, the motion plug-in control: what the host calls on
// it, by the dispatch ids of its type library. It draws nothing and starts
// no threads.

#include <memory>

#include "motion/plugin/host/HostApplication.h"
#include "platform/activex/ActiveXControl.h"
#include "base/win/UniqueHandle.h"

// Dispatch ids, in the type library's order.
enum DrovelMember : DISPID {
    kOnInitialize = 1,
    kDrovel,
    kLyricEvent,
    kExecute,
};

class CDrovelLEIFletCtrl final : public CActiveXControl {
public:
    // Loads the editing component; a message tells the user when it is missing.
    CDrovelLEIFletCtrl(const ComServer& server, const ComClass& type);

protected:
    void InvokeMember(DISPID id, CDispatchCall& call) override;
    HRESULT ExceptionResult(EXCEPINFO* info) override;

private:
    void OnInitialize(CDispatchCall& call);
    void Execute(CDispatchCall& call);

    UniqueModule m_editorComponent;  // SciLexer.dll: the editor's window class
    std::unique_ptr<drovel::CHostApplication> m_application;  // from OnInitialize, with its own reference
};
