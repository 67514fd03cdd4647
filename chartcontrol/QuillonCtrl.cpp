#include "chartcontrol/QuillonCtrl.h"

#include <array>
#include <string>

#include "chartcontrol/EditorWindowSeam.h"
#include "chartcontrol/ModulePath.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/QuillonApp.h"
#include "common/about/AboutDialog.h"
#include "common/about/VersionInfo.h"
#include "common/text/WideFormat.h"
#include "common/xml/XmlNode.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostDispatchError.h"

namespace {

constexpr UINT kEditorReload = WM_USER + 1;  // the editor reloads its document

const wchar_t kPluginName[] = L"Plotvane";

} // namespace

CQuillonCtrl::CQuillonCtrl(const ComServer& server, const ComClass& type) : CActiveXControl(server, type)
{
    QuillonApp().InitInstance();
}

CQuillonCtrl::~CQuillonCtrl()
{
    OutputDebugStringW(FormatWide(L"CQuillonCtrl g_xmlNodeCount=%ld\n", g_xmlNodeCount).c_str());
}

void CQuillonCtrl::InvokeMember(DISPID id, CDispatchCall& call)
{
    switch (id) {
    case kOnInitialize: OnInitialize(call); break;
    case kOnQuillon: OnQuillon(); break;
    case kSetLyric: SetLyric(call); break;
    case kLyricEvent: LyricEvent(call.Long(0)); break;
    case kAboutBox: AboutBox(); break;
    default:
        // LyricTransition does nothing. The chart update's members (events,
        // label placement, GUIDs, label and template commands, refresh)
        // answer their declared zero until the chart update takes them.
        break;
    }
}

HRESULT CQuillonCtrl::ExceptionResult(EXCEPINFO* info)
{
    return HostExceptionResult(info, kQuillonProgId);
}

void CQuillonCtrl::OnInitialize(CDispatchCall& call)
{
    call.SetOutLong(1, FALSE);
    IDispatch* application = call.Dispatch(0);
    if (!application)
        return;
    m_application = application;
    QuillonApp().SetApplication(application);
    try {
        CHostApplication host;
        host.Attach(application);
        host.RegisterLEIFlet(L"0001", kPluginName);
        host.RegisterMenuItem(kPluginName, L"Tools|", L"OnQuillon");
        host.RegisterObjectProperty(kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGlobalLight"}, L"");
        host.RegisterObjectProperty(kPlotvanePropertyGroup, L"TrellanGUID", 0, L"", {L"LyricGeoPlugin"}, L"");
        host.RegisterObjectProperty(kPlotvanePropertyGroup, L"VantreGUID", 0, L"", {L"LyricGeoPlugin"}, L"");
        host.RegisterObjectProperty(kPlotvanePropertyGroup, L"Data", 0, L"", {L"LyricGeoPlugin"}, L"");
        call.SetOutLong(1, TRUE);
    } catch (const CHostException&) {
        // the status stays 0: the host has no complete plug-in
    }
}

void CQuillonCtrl::OnQuillon()
{
    if (!m_application)
        return;
    std::wstring path;
    CVersionInfo version;
    const std::wstring number =
        GetOcxPath(path) && version.Open(path) ? DottedVersion(version.QueryString(L"FileVersion")) : std::wstring();
    const std::wstring caption = FormatWide(L"Plotvane - Version %s", number.c_str());
    try {
        CHostApplication host;
        host.Attach(m_application);
        const long left = host.GetRegistryInt(L"Quillon", L"FrameLeft", 10);
        const long top = host.GetRegistryInt(L"Quillon", L"FrameTop", 10);
        host.MDIFrame(caption, {left, top, 440, 340, 440, 340, 440, 340}, kQuillonProgId);
    } catch (const CHostException&) {
        // the menu command answers 0 whatever the host did
    }
}

void CQuillonCtrl::SetLyric(CDispatchCall& call)
{
    IDispatch* application = call.Dispatch(0);
    if (!application)
        return;
    m_application = application;
    if (HWND editor = CreateEditorWindow(ControlWindow(), application))
        QuillonApp().KeepEditorWindow(editor);
}

void CQuillonCtrl::LyricEvent(LONG event)
{
    if (event != 0)
        return;
    if (HWND editor = QuillonApp().EditorWindow())
        SendMessageW(editor, kEditorReload, 0, 0);
}

void CQuillonCtrl::AboutBox()
{
    CAboutDialog about(ControlWindow());
    about.DoModal();
}

bool CQuillonCtrl::OnWindowMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT&)
{
    if (msg == WM_SIZE)
        if (HWND editor = QuillonApp().EditorWindow())
            SetWindowPos(editor, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOMOVE | SWP_NOZORDER);
    return false;
}

const ComServer& QuillonServer()
{
    static const ComServer server{
        TypeLibraryId{kQuillonLibraryId, 1, 0},
        {ComClass{kQuillonClsid, kQuillonProgId, L"Plotvane Control", &CreateComObject<CQuillonCtrl>,
                  ControlTraits{kQuillonMiscStatus, kQuillonDispatchIid, kQuillonEventIid, {}}}}};
    return server;
}
