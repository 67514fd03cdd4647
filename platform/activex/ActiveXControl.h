#pragma once
// Base of our ActiveX controls: what a real container asks of a control.
// The derived control supplies its dispatch members (checked against the
// type library before they run, see TypedDispatch.h) and, if it wants them,
// window messages and drawing. The control's window is made when the
// container activates it in place and goes when it is deactivated.
//
// A control object lives on the thread of the apartment that made it (the
// host's STA); nothing here is guarded.

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include <memory>

#include "base/com/ComObject.h"
#include "base/com/RefPtr.h"
#include "platform/activex/ComServer.h"
#include "platform/activex/EventConnectionPoint.h"
#include "platform/activex/TypedDispatch.h"

class CControlWindow;

class CActiveXControl : public ComObject<IDispatch,
                                         IOleObject,
                                         IOleInPlaceObject,
                                         IOleInPlaceActiveObject,
                                         IOleControl,
                                         IViewObject2,
                                         IPersistStreamInit,
                                         IProvideClassInfo2,
                                         IConnectionPointContainer,
                                         ISpecifyPropertyPages> {
public:
    // `type` must describe a control (its ControlTraits).
    CActiveXControl(const ComServer& server, const ComClass& type);

    // Loads the type information: the registered library, else the one in
    // this module's file. Called once by CreateComObject.
    HRESULT FinalConstruct();

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* info, UINT* argumentError) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR application, LPCOLESTR document) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD which, IMoniker* moniker) override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    STDMETHODIMP InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    STDMETHODIMP GetClipboardData(DWORD reserved, IDataObject** data) override;
    STDMETHODIMP DoVerb(LONG verb, LPMSG message, IOleClientSite* site, LONG index, HWND parent,
                        LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override;
    STDMETHODIMP IsUpToDate() override;
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP Unadvise(DWORD connection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advise) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE* palette) override;

    // IOleWindow (both in-place interfaces)
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;

    // IOleInPlaceObject
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override;

    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG message) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    STDMETHODIMP EnableModeless(BOOL enable) override;

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG* message) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc, HDC drawDc,
                      LPCRECTL bounds, LPCRECTL windowBounds, BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR),
                      ULONG_PTR contArgument) override;
    STDMETHODIMP GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* device, HDC targetDc,
                             LOGPALETTE** colors) override;
    STDMETHODIMP Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* freeze) override;
    STDMETHODIMP Unfreeze(DWORD freeze) override;
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) override;

    // IPersistStreamInit: the controls keep no persistent state.
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM stream) override;
    STDMETHODIMP Save(LPSTREAM stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

protected:
    ~CActiveXControl() override;

    // A dispatch member, its arguments already checked. May throw: see ExceptionResult.
    virtual void InvokeMember(DISPID id, CDispatchCall& call) = 0;
    // Inside the catch block of an exception that left a member: its result
    // for the caller. The default is DefaultExceptionResult.
    virtual HRESULT ExceptionResult(EXCEPINFO* info);

    // A message of the control's window; true when handled. Exceptions are
    // stopped by the window layer.
    virtual bool OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Draws the control's face; the default draws nothing.
    virtual void OnDraw(HDC dc, const RECT& bounds);

    // Null while the control is not active in place.
    HWND ControlWindow() const;
    const ComClass& Class() const { return m_type; }

private:
    friend class CControlWindow;

    // The base interfaces and the control's own dispatch interface.
    void* FindInterface(REFIID iid) override;
    HRESULT ActivateInPlace(IOleClientSite* site, bool uiActivate);
    void ReleaseInPlaceSite();

    const ServerModuleLock m_moduleLock;
    const ComServer& m_server;
    const ComClass& m_type;

    RefPtr<ITypeInfo> m_dispatchInfo;
    CDispatchTable m_table;
    CEventConnectionPoint m_events;

    RefPtr<IOleClientSite> m_clientSite;
    RefPtr<IOleAdviseHolder> m_oleAdvise;
    RefPtr<IAdviseSink> m_viewSink;
    DWORD m_viewAspects = 0;
    DWORD m_viewFlags = 0;
    SIZEL m_extent{};  // HIMETRIC

    RefPtr<IOleInPlaceSite> m_inPlaceSite;
    RefPtr<IOleInPlaceFrame> m_frame;
    RefPtr<IOleInPlaceUIWindow> m_document;
    bool m_uiActive = false;
    std::unique_ptr<CControlWindow> m_window;
};
