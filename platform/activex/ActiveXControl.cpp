#include "platform/activex/ActiveXControl.h"

#include <olectl.h>

#include <string>

#include "platform/ui/MessageLoop.h"
#include "platform/ui/Module.h"
#include "platform/ui/Window.h"

namespace {

constexpr LONG kDefaultExtent = 2540;  // HIMETRIC: one inch

// One window class per module that links the layer; its procedure only
// stands until CWnd takes the window over.
const wchar_t* ControlWindowClass()
{
    static const std::wstring name = RegisterModuleWindowClass(L"VelmoraActiveXControl", CS_DBLCLKS, COLOR_WINDOW);
    return name.empty() ? nullptr : name.c_str();
}

template <typename T>
HRESULT Hand(T* value, T** out)
{
    if (!out)
        return E_POINTER;
    *out = value;
    if (value)
        value->AddRef();
    return S_OK;
}

} // namespace

// The control's window: its messages go to the control first.
class CControlWindow final : public CWnd {
public:
    explicit CControlWindow(CActiveXControl& owner) : m_owner(owner) {}

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (m_owner.OnWindowMessage(msg, wParam, lParam, result))
            return true;
        if (msg == WM_PAINT) {
            PAINTSTRUCT paint;
            if (HDC dc = BeginPaint(GetSafeHwnd(), &paint)) {
                m_owner.OnDraw(dc, GetClientRect());
                EndPaint(GetSafeHwnd(), &paint);
            }
            result = 0;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }

private:
    CActiveXControl& m_owner;
};

CActiveXControl::CActiveXControl(const ComServer& server, const ComClass& type)
    : m_server(server), m_type(type), m_events(*this, type.control ? type.control->eventIid : IID_NULL)
{
    m_extent.cx = kDefaultExtent;
    m_extent.cy = kDefaultExtent;
}

CActiveXControl::~CActiveXControl()
{
    m_window.reset();
}

HRESULT CActiveXControl::FinalConstruct()
{
    if (!m_type.control || !m_server.typeLibrary)
        return E_UNEXPECTED;
    const TypeLibraryId& library = *m_server.typeLibrary;
    RefPtr<ITypeLib> typeLib;
    HRESULT hr = LoadRegTypeLib(library.id, library.major, library.minor, LOCALE_USER_DEFAULT, typeLib.Put());
    if (FAILED(hr))
        hr = LoadTypeLibEx(CurrentModulePath().c_str(), REGKIND_NONE, typeLib.Put());
    if (SUCCEEDED(hr))
        hr = typeLib->GetTypeInfoOfGuid(m_type.control->dispatchIid, m_dispatchInfo.Put());
    if (SUCCEEDED(hr))
        hr = m_table.Load(m_dispatchInfo.Get());
    return hr;
}

// --- IUnknown ---------------------------------------------------------------

void* CActiveXControl::FindInterface(REFIID iid)
{
    if (m_type.control && IsEqualIID(iid, m_type.control->dispatchIid))
        return static_cast<IDispatch*>(this);
    if (IsEqualIID(iid, IID_IOleWindow))
        return static_cast<IOleInPlaceObject*>(this);
    if (IsEqualIID(iid, IID_IViewObject))
        return static_cast<IViewObject2*>(this);
    if (IsEqualIID(iid, IID_IPersist))
        return static_cast<IPersistStreamInit*>(this);
    if (IsEqualIID(iid, IID_IProvideClassInfo))
        return static_cast<IProvideClassInfo2*>(this);
    return ComObject::FindInterface(iid);
}

// --- IDispatch --------------------------------------------------------------

STDMETHODIMP CActiveXControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 1;
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    return Hand(m_dispatchInfo.Get(), info);
}

STDMETHODIMP CActiveXControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    return m_dispatchInfo->GetIDsOfNames(names, count, ids);
}

STDMETHODIMP CActiveXControl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT* argumentError)
{
    if (!IsEqualIID(iid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    // The control stays alive through a member that makes its container let go.
    RefPtr<IDispatch> self(static_cast<IDispatch*>(this));
    return InvokeTyped(
        m_table, id, flags, params, result, info, argumentError,
        [this](DISPID member, CDispatchCall& call) { InvokeMember(member, call); },
        [this](EXCEPINFO* exception) { return ExceptionResult(exception); });
}

HRESULT CActiveXControl::ExceptionResult(EXCEPINFO* info)
{
    return DefaultExceptionResult(info, m_type.progId);
}

// --- IOleObject -------------------------------------------------------------

STDMETHODIMP CActiveXControl::SetClientSite(IOleClientSite* site)
{
    if (!site)
        InPlaceDeactivate();
    m_clientSite = RefPtr<IOleClientSite>(site);
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetClientSite(IOleClientSite** site)
{
    return Hand(m_clientSite.Get(), site);
}

STDMETHODIMP CActiveXControl::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::Close(DWORD)
{
    InPlaceDeactivate();
    if (m_oleAdvise)
        m_oleAdvise->SendOnClose();
    return S_OK;
}

STDMETHODIMP CActiveXControl::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    if (moniker)
        *moniker = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::GetClipboardData(DWORD, IDataObject** data)
{
    if (data)
        *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return ActivateInPlace(site, false);
    case OLEIVERB_UIACTIVATE:
        return ActivateInPlace(site, true);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (HWND window = ControlWindow())
            ShowWindow(window, SW_HIDE);
        return S_OK;
    case OLEIVERB_DISCARDUNDOSTATE:
        return S_OK;
    default:
        return OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP CActiveXControl::EnumVerbs(IEnumOLEVERB** verbs)
{
    if (verbs)
        *verbs = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP CActiveXControl::Update()
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::IsUpToDate()
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetUserClassID(CLSID* clsid)
{
    return GetClassID(clsid);
}

STDMETHODIMP CActiveXControl::GetUserType(DWORD, LPOLESTR* type)
{
    if (type)
        *type = nullptr;
    return OLE_S_USEREG;
}

STDMETHODIMP CActiveXControl::SetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    m_extent = *size;
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!size)
        return E_POINTER;
    *size = m_extent;
    return S_OK;
}

STDMETHODIMP CActiveXControl::Advise(IAdviseSink* sink, DWORD* connection)
{
    if (!sink || !connection)
        return E_POINTER;
    if (!m_oleAdvise) {
        const HRESULT hr = CreateOleAdviseHolder(m_oleAdvise.Put());
        if (FAILED(hr))
            return hr;
    }
    return m_oleAdvise->Advise(sink, connection);
}

STDMETHODIMP CActiveXControl::Unadvise(DWORD connection)
{
    return m_oleAdvise ? m_oleAdvise->Unadvise(connection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP CActiveXControl::EnumAdvise(IEnumSTATDATA** advise)
{
    if (!advise)
        return E_POINTER;
    *advise = nullptr;
    return m_oleAdvise ? m_oleAdvise->EnumAdvise(advise) : S_OK;
}

STDMETHODIMP CActiveXControl::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status)
        return E_POINTER;
    *status = m_type.control ? m_type.control->miscStatus : 0;
    return S_OK;
}

STDMETHODIMP CActiveXControl::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}

// --- In-place activation ----------------------------------------------------

HRESULT CActiveXControl::ActivateInPlace(IOleClientSite* site, bool uiActivate)
{
    if (m_window && !m_window->GetSafeHwnd())  // the container destroyed it with its own window
        InPlaceDeactivate();
    if (!m_window) {
        IOleClientSite* from = site ? site : m_clientSite.Get();
        if (!from)
            return E_UNEXPECTED;
        RefPtr<IOleInPlaceSite> inPlace;
        if (FAILED(from->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(inPlace.Put()))) || !inPlace)
            return E_NOINTERFACE;
        if (inPlace->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        HRESULT hr = inPlace->OnInPlaceActivate();
        if (FAILED(hr))
            return hr;
        m_inPlaceSite = inPlace;

        HWND parent = nullptr;
        RECT position{}, clip{};
        OLEINPLACEFRAMEINFO frameInfo{};
        frameInfo.cb = sizeof frameInfo;
        hr = inPlace->GetWindow(&parent);
        if (SUCCEEDED(hr))
            hr = inPlace->GetWindowContext(m_frame.Put(), m_document.Put(), &position, &clip, &frameInfo);
        const wchar_t* windowClass = ControlWindowClass();
        auto window = std::make_unique<CControlWindow>(*this);
        if (FAILED(hr) || !windowClass ||
            !window->CreateEx(0, windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, position,
                              parent, 0)) {
            ReleaseInPlaceSite();
            return FAILED(hr) ? hr : E_FAIL;
        }
        m_window = std::move(window);
    } else {
        ShowWindow(m_window->GetSafeHwnd(), SW_SHOW);
    }

    if (uiActivate && !m_uiActive) {
        m_uiActive = true;
        m_inPlaceSite->OnUIActivate();
        IOleInPlaceActiveObject* active = this;
        if (m_frame)
            m_frame->SetActiveObject(active, nullptr);
        if (m_document)
            m_document->SetActiveObject(active, nullptr);
        SetFocus(m_window->GetSafeHwnd());
    }
    return S_OK;
}

void CActiveXControl::ReleaseInPlaceSite()
{
    if (m_inPlaceSite)
        m_inPlaceSite->OnInPlaceDeactivate();
    m_document.Reset();
    m_frame.Reset();
    m_inPlaceSite.Reset();
}

STDMETHODIMP CActiveXControl::InPlaceDeactivate()
{
    if (!m_inPlaceSite)
        return S_OK;
    UIDeactivate();
    m_window.reset();
    ReleaseInPlaceSite();
    return S_OK;
}

STDMETHODIMP CActiveXControl::UIDeactivate()
{
    if (!m_uiActive)
        return S_OK;
    m_uiActive = false;
    if (m_frame)
        m_frame->SetActiveObject(nullptr, nullptr);
    if (m_document)
        m_document->SetActiveObject(nullptr, nullptr);
    if (m_inPlaceSite)
        m_inPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP CActiveXControl::SetObjectRects(LPCRECT position, LPCRECT)
{
    if (!position)
        return E_POINTER;
    if (HWND window = ControlWindow())
        SetWindowPos(window, nullptr, position->left, position->top, position->right - position->left,
                     position->bottom - position->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

STDMETHODIMP CActiveXControl::ReactivateAndUndo()
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = ControlWindow();
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP CActiveXControl::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HWND CActiveXControl::ControlWindow() const
{
    return m_window ? m_window->GetSafeHwnd() : nullptr;
}

// --- IOleInPlaceActiveObject ------------------------------------------------

// The container's message loop knows nothing of the windows inside the
// control (a modeless editor, say): their keyboard handling (Tab between
// controls, a page that swallows Enter) runs only when their keys come here.
STDMETHODIMP CActiveXControl::TranslateAccelerator(LPMSG message)
{
    if (!message)
        return E_POINTER;
    const HWND control = ControlWindow();
    if (!control || (message->hwnd != control && !::IsChild(control, message->hwnd)))
        return S_FALSE;
    // The container's own windows get their keys from the container's loop.
    return PreTranslateWindowMessage(*message, control) ? S_OK : S_FALSE;
}

STDMETHODIMP CActiveXControl::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::EnableModeless(BOOL)
{
    return S_OK;
}

// --- IOleControl ------------------------------------------------------------

STDMETHODIMP CActiveXControl::GetControlInfo(CONTROLINFO* info)
{
    if (!info)
        return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP CActiveXControl::OnMnemonic(MSG*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::OnAmbientPropertyChange(DISPID)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::FreezeEvents(BOOL)
{
    return S_OK;
}

// --- IViewObject2 -----------------------------------------------------------

STDMETHODIMP CActiveXControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC drawDc, LPCRECTL bounds,
                                   LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (aspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!drawDc || !bounds)
        return E_INVALIDARG;
    const RECT rect{bounds->left, bounds->top, bounds->right, bounds->bottom};
    OnDraw(drawDc, rect);
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors)
{
    if (colors)
        *colors = nullptr;
    return S_FALSE;
}

STDMETHODIMP CActiveXControl::Freeze(DWORD, LONG, void*, DWORD*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    m_viewAspects = aspects;
    m_viewFlags = flags;
    m_viewSink = RefPtr<IAdviseSink>(sink);
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    if (aspects)
        *aspects = m_viewAspects;
    if (flags)
        *flags = m_viewFlags;
    return sink ? Hand(m_viewSink.Get(), sink) : S_OK;
}

STDMETHODIMP CActiveXControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    return GetExtent(aspect, size);
}

void CActiveXControl::OnDraw(HDC, const RECT&) {}

bool CActiveXControl::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

// --- IPersistStreamInit -----------------------------------------------------

STDMETHODIMP CActiveXControl::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = m_type.clsid;
    return S_OK;
}

STDMETHODIMP CActiveXControl::IsDirty()
{
    return S_FALSE;
}

STDMETHODIMP CActiveXControl::Load(LPSTREAM)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::Save(LPSTREAM, BOOL)
{
    return S_OK;
}

STDMETHODIMP CActiveXControl::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

STDMETHODIMP CActiveXControl::InitNew()
{
    return S_OK;
}

// --- IProvideClassInfo2 ------------------------------------------------------

STDMETHODIMP CActiveXControl::GetClassInfo(ITypeInfo** info)
{
    if (!info)
        return E_POINTER;
    *info = nullptr;
    RefPtr<ITypeLib> library;
    UINT index = 0;
    HRESULT hr = m_dispatchInfo->GetContainingTypeLib(library.Put(), &index);
    return SUCCEEDED(hr) ? library->GetTypeInfoOfGuid(m_type.clsid, info) : hr;
}

STDMETHODIMP CActiveXControl::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID)
        return E_INVALIDARG;
    *guid = m_events.EventIid();
    return S_OK;
}

// --- IConnectionPointContainer -----------------------------------------------

STDMETHODIMP CActiveXControl::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    if (points)
        *points = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CActiveXControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, m_events.EventIid()))
        return CONNECT_E_NOCONNECTION;
    return Hand<IConnectionPoint>(&m_events, point);
}

// --- ISpecifyPropertyPages ---------------------------------------------------

STDMETHODIMP CActiveXControl::GetPages(CAUUID* pages)
{
    if (!pages)
        return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    const std::vector<CLSID>& list = m_type.control->propertyPages;
    if (list.empty())
        return S_OK;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(list.size() * sizeof(GUID)));
    if (!pages->pElems)
        return E_OUTOFMEMORY;
    for (size_t i = 0; i < list.size(); ++i)
        pages->pElems[i] = list[i];
    pages->cElems = static_cast<ULONG>(list.size());
    return S_OK;
}
