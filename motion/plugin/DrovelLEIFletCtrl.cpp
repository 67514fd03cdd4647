#include "motion/plugin/DrovelLEIFletCtrl.h"

#include "hostclient/HostDispatchError.h"
#include "motion/plugin/DrovelEditor.h"
#include "motion/plugin/DrovelLEIFletIds.h"
#include "platform/ui/UserPrompts.h"

namespace {

const wchar_t kPluginName[] = L"Drovel";

// The custom properties of a movie object, with their defaults.
struct DeclaredProperty {
    const wchar_t* name;
    const wchar_t* defaultValue;
};
constexpr DeclaredProperty kProperties[] = {{L"Enabled", L"0"}, {L"Script", L""}, {L"Variable", L""}, {L"ScriptID", L""}};

} // namespace

CDrovelLEIFletCtrl::CDrovelLEIFletCtrl(const ComServer& server, const ComClass& type)
    : CActiveXControl(server, type), m_editorComponent(LoadLibraryW(L"C:\\Windows\\SciLexer.dll"))
{
    if (!m_editorComponent)
        ShowMessageBox(GetActiveWindow(), L"Failed to load SciLexer.dll");
}

void CDrovelLEIFletCtrl::InvokeMember(DISPID id, CDispatchCall& call)
{
    switch (id) {
    case kOnInitialize: OnInitialize(call); break;
    case kExecute: Execute(call); break;
    default:
        // The menu command opens nothing, and no host event changes anything.
        break;
    }
}

HRESULT CDrovelLEIFletCtrl::ExceptionResult(EXCEPINFO* info)
{
    return HostExceptionResult(info, kDrovelProgId);
}

void CDrovelLEIFletCtrl::OnInitialize(CDispatchCall& call)
{
    call.SetOutLong(1, FALSE);
    IDispatch* application = call.Dispatch(0);
    if (!application)
        return;
    try {
        // A second start-up lets the first application go.
        m_application = std::make_unique<drovel::CHostApplication>();
        m_application->Attach(application);
        m_application->RegisterLEIFlet(L"0001", kPluginName);
        m_application->RegisterMenuItem(kPluginName, L"Tools|", kPluginName);
        for (const DeclaredProperty& property : kProperties)
            m_application->RegisterObjectProperty(kDrovelPropertyGroup, property.name, 0, property.defaultValue,
                                                  {L"LyricMovie"}, L"");
        m_application->RegisterObjectPropertyEditor(kDrovelPropertyGroup, kDrovelProgId, {L"LyricMovie"});
        call.SetOutLong(1, TRUE);
    } catch (const CHostException&) {
        // the status stays 0: the host has no complete plug-in
    }
}

void CDrovelLEIFletCtrl::Execute(CDispatchCall& call)
{
    IDispatch* application = call.Dispatch(0);
    IDispatch* properties = call.Dispatch(1);
    if (!application || !properties)
        return;
    CDrovelEditor editor(application, properties, GetActiveWindow());
    editor.DoModal();
}
