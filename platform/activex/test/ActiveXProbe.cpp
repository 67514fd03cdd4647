// ActiveXProbe.ocx: the tests' control on the ActiveX layer. Each member
// shows what the layer handed it, so a test sees the conversions.
#include <new>

#include "base/text/WideFormat.h"
#include "platform/activex/ActiveXControl.h"
#include "platform/activex/PropertyPage.h"
#include "platform/activex/ServerExports.h"
#include "platform/activex/test/ActiveXProbeIds.h"
#include "platform/activex/test/ActiveXProbeResources.h"

namespace {

class CActiveXProbe final : public CActiveXControl {
public:
    using CActiveXControl::CActiveXControl;

protected:
    void InvokeMember(DISPID id, CDispatchCall& call) override
    {
        switch (id) {
        case 1:  // Describe(text, number, real, any)
            call.ReturnText(FormatWide(L"%s|%ld|%g|%u", call.Text(0).c_str(), call.Long(1), call.Double(2),
                                       static_cast<unsigned>(call.Argument(3).vt)));
            break;
        case 2:  // SetStatus(value, status*): 1 when written
            call.ReturnLong(call.SetOutLong(1, call.Long(0)) ? 1 : 0);
            break;
        case 3:  // Fail(kind)
            switch (call.Long(0)) {
            case ProbeDispatchError: throw CDispatchError(E_ABORT, L"probe failure");
            case ProbeOutOfMemory: throw std::bad_alloc();
            case ProbeStrangeException: throw 42;
            default: break;
            }
            break;
        case 4:  // WindowHandle()
            call.ReturnLong(static_cast<LONG>(reinterpret_cast<INT_PTR>(ControlWindow())));
            break;
        case 6:  // HasObject(any)
            call.ReturnLong(call.Dispatch(0) ? 1 : 0);
            break;
        case 7:  // SetLyric(application): remembers only that one came
            m_hasLyric = call.Dispatch(0) != nullptr;
            break;
        case 8:  // HasLyric()
            call.ReturnLong(m_hasLyric ? 1 : 0);
            break;
        default:  // Nothing(): the declared zero
            break;
        }
    }

private:
    bool m_hasLyric = false;
};

// A page with a label and nothing to exchange.
class CProbePage final : public CActiveXPropertyPage {
public:
    CProbePage(const ComServer&, const ComClass&) : CActiveXPropertyPage(IDD_PROBE_PAGE, IDS_PROBE_PAGE_TITLE) {}
};

const ComServer& ProbeServer()
{
    static const ComServer server{
        TypeLibraryId{kProbeLibraryId, 1, 0},
        {
            ComClass{kProbeClsid, kProbeProgId, L"ActiveX Probe Control", &CreateComObject<CActiveXProbe>,
                     ControlTraits{kProbeMiscStatus, kProbeDispatchIid, kProbeEventIid, {kProbePageClsid}}},
            ComClass{kProbePageClsid, kProbePageProgId, L"ActiveX Probe Page", &CreateComObject<CProbePage>, std::nullopt},
        }};
    return server;
}

} // namespace

IMPLEMENT_SERVER_EXPORTS(ProbeServer())
