#include "chartcontrol/QuillonCtrl.h"

#include <array>
#include <exception>
#include <string>

#include "chartcontrol/ChartCommands.h"
#include "chartcontrol/ChartUpdate.h"
#include "chartcontrol/EditorWindowSeam.h"
#include "chartcontrol/HostEvents.h"
#include "chartcontrol/LabelPlacement.h"
#include "chartcontrol/ModulePath.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/QuillonApp.h"
#include "common/about/AboutDialog.h"
#include "common/about/VersionInfo.h"
#include "base/text/WideFormat.h"
#include "common/xml/XmlNode.h"
#include "hostclient/HostApplication.h"
#include "hostclient/HostDispatchError.h"

namespace {


const wchar_t kPluginName[] = L"Plotvane";

// The host's events the control acts on (LyricEventEx).
enum HostEventCode : LONG {
    kEventSceneLoaded = 0,
    kEventScenePlayed = 1,
    kEventSuspend = 3,
    kEventPasted = 11,
    kEventRefresh = 12,
};

// Holds the module's re-entry flag for one refresh and gives it back on
// every way out, so that a failed refresh blocks no later one.
class CRefreshScope {
public:
    CRefreshScope() : m_previous(QuillonApp().IsRefreshing()) { QuillonApp().SetRefreshing(true); }
    ~CRefreshScope() { QuillonApp().SetRefreshing(m_previous); }
    CRefreshScope(const CRefreshScope&) = delete;
    CRefreshScope& operator=(const CRefreshScope&) = delete;

private:
    bool m_previous;
};

// The module's host application attached, or false before OnInitialize.
bool AttachHost(CHostApplication& host)
{
    IDispatch* application = QuillonApp().Application();
    if (!application)
        return false;
    host.Attach(application);
    return true;
}

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
    const CThreadClassCache::Use classes(m_classes);
    switch (id) {
    case kOnInitialize: OnInitialize(call); break;
    case kOnQuillon: OnQuillon(); break;
    case kSetLyric: SetLyric(call); break;
    case kLyricEvent: LyricEvent(call.Long(0)); break;
    case kLyricEventEx: LyricEventEx(call.Argument(0)); break;
    case kAboutBox: AboutBox(); break;
    case kUpdateChart: UpdateChart(call.Text(0)); break;
    case kLocateLabel:
    case kTrellanGuid:
    case kMakeGroup:
    case kAddXAxisLabels:
    case kAddYAxisLabels:
    case kMakeLabelKeyframes:
    case kLocateInfoLabel:
    case kVantreGuid: InvokeChartMember(id, call); break;
    default: break;  // LyricTransition does nothing
    }
}

void CQuillonCtrl::InvokeChartMember(DISPID id, CDispatchCall& call)
{
    // Every chart member works on the module's application; before
    // OnInitialize it has none and does nothing.
    CHostApplication host;
    if (!AttachHost(host))
        return;
    switch (id) {
    case kLocateLabel:
        LocateLabel(host, call.Text(0), call.Double(1), call.Double(2), call.Double(3), call.Double(4));
        break;
    case kLocateInfoLabel:
        LocateInfoLabel(host, call.Text(1), call.Double(2), call.Double(3), call.Double(4), call.Double(5));
        break;
    case kTrellanGuid: StoreGuidOnActiveObject(host, L"TrellanGUID", call.Text(0)); break;
    case kVantreGuid: StoreGuidOnActiveObject(host, L"VantreGUID", call.Text(0)); break;
    case kMakeGroup: MakeGroup(host, ControlWindow()); break;
    case kAddXAxisLabels: AddAxisLabels(host, LabelAxis::Dates, ControlWindow()); break;
    case kAddYAxisLabels: AddAxisLabels(host, LabelAxis::Values, ControlWindow()); break;
    case kMakeLabelKeyframes: MakeLabelKeyframes(host); break;
    default: break;
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

void CQuillonCtrl::LyricEventEx(const VARIANT& event)
{
    VARIANT code;
    VariantInit(&code);
    if (SUCCEEDED(VariantChangeType(&code, const_cast<VARIANT*>(&event), 0, VT_I4)))
        HostEvent(code.lVal);
    VariantClear(&code);
}

void CQuillonCtrl::HostEvent(LONG event)
{
    switch (event) {
    case kEventSceneLoaded: {
        // Errors of this refresh reach the host; the flag is given back all the same.
        {
            CRefreshScope refreshing;
            UpdateCharts(nullptr, m_suspended);
        }
        m_suspended = false;
        break;
    }
    case kEventRefresh: {
        if (QuillonApp().IsRefreshing())
            return;
        CRefreshScope refreshing;
        try {
            UpdateCharts(nullptr, m_suspended);
        } catch (const std::exception&) {
            // host errors and exhaustion alike: a refresh the host asked for answers nothing
        }
        break;
    }
    case kEventSuspend: m_suspended = true; break;
    case kEventScenePlayed:
    case kEventPasted: {
        CHostApplication host;
        if (!AttachHost(host))
            return;
        if (event == kEventPasted)
            RenewChartGuids(host);
        else
            CaptureBarChartRanges(host);
        break;
    }
    default: break;
    }
}

void CQuillonCtrl::UpdateChart(const std::wstring& text)
{
    if (_wcsicmp(text.c_str(), L"refresh") == 0)
        HostEvent(kEventRefresh);
    else
        UpdateCharts(text.c_str(), m_suspended);
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
