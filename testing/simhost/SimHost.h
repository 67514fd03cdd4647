#pragma once
// A simulated Lyric host for tests and the demo: the application object and
// its scene model behind table-driven dispatch objects, with everything a
// test needs to see what a client did (call log, name lookups, reference
// counts) and to make the host misbehave (removed members, host errors).
// One thread (the test's STA) owns a host and everything in it.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/com/RefPtr.h"
#include "testing/simhost/SimGeometry.h"
#include "testing/simhost/SimModel.h"

struct SimCallRecord {
    std::wstring className;
    std::wstring member;
    SimKind kind;
    std::vector<VARTYPE> argumentTypes;     // in the caller's order
    std::vector<std::wstring> argumentText; // DescribeValue of each
};

struct SimInjectedError {
    std::wstring text;
    HRESULT code;
};

struct SimPropertyDeclaration {
    std::wstring group;
    std::wstring name;
    long type;
    std::wstring defaultValue;
    std::vector<std::wstring> objectTypes;
    std::wstring last;
};

// One plug-in registration call: the member and its arguments as text.
struct SimRegistration {
    std::wstring member;
    std::vector<std::wstring> arguments;
};

// A frame window the host opened for MDIFrame: a real top-level window with
// Wine's ActiveX host window ("AtlAxWin") filling it, which made and sited
// the control named by the call.
struct SimFrameWindow {
    std::wstring caption;
    std::wstring progId;
    HWND frame = nullptr;      // destroyed with the host (or by the user)
    HWND container = nullptr;  // the AtlAxWin window inside it
    RefPtr<IDispatch> control;
    HRESULT setLyric = E_FAIL; // the control's answer to SetLyric(application)
};

struct SimMenuItem {
    std::wstring plugin;
    std::wstring path;
    std::wstring command;
    RefPtr<IDispatch> control; // the control that registered it, if the host loaded it
};

class CSimHost {
public:
    // An application with one active canvas on one frame buffer and no scene.
    CSimHost();
    CSimHost(const CSimHost&) = delete;
    CSimHost& operator=(const CSimHost&) = delete;
    // Disconnects every object: outside references then fail their calls.
    ~CSimHost();

    // --- Observation -------------------------------------------------------
    IDispatch* Application() const { return m_application; }
    int LookupCount(const std::wstring& className, const std::wstring& name) const;
    int LookupCount(const std::wstring& className) const;
    const std::vector<SimCallRecord>& Calls() const { return m_calls; }
    int CallCount(const std::wstring& className, const std::wstring& member) const;
    // Calls refused for their shape (kind, count, types, unknown id), as text.
    const std::vector<std::wstring>& Rejections() const { return m_rejections; }
    void ClearLog();
    // References held on the host's objects by anyone but the host.
    long OutsideReferences() const;
    long ObjectCount() const { return static_cast<long>(m_objects.size()); }

    // --- Misbehaviour ------------------------------------------------------
    // The name no longer resolves and its id is refused, on every object of the class.
    void RemoveMember(const std::wstring& className, const std::wstring& name);
    // Every call of the member fails with DISP_E_EXCEPTION and this error information.
    void InjectError(const std::wstring& className, const std::wstring& member, const std::wstring& text,
                     HRESULT code = E_FAIL);
    void ClearInjectedErrors() { m_errors.clear(); }
    // Runs after each accepted call is logged, before it acts: what the real
    // host may do meanwhile (raise an event, say). Empty: nothing.
    void SetCallHook(std::function<void(const SimCallRecord& call)> hook) { m_callHook = std::move(hook); }

    // --- Model -------------------------------------------------------------
    CSimCanvas& Canvas(size_t index = 0) { return *m_canvases.at(index); }
    // A further canvas showing the focused scene of a frame buffer.
    CSimCanvas& AddCanvas(long frameBuffer);
    // -1: no canvas is active, ActiveCanvas answers no object.
    void SetActiveCanvas(long index) { m_activeCanvas = index; }
    CSimCanvas* ActiveCanvas() const;
    const std::vector<CSimFrameBuffer*>& FrameBuffers() const { return m_frameBuffers; }
    CSimFrameBuffer& FrameBuffer(size_t index);
    // The active canvas's frame buffer (the first one without an active canvas).
    long ActiveFrameBuffer() const;
    CSimVersion& Version() { return *m_version; }
    // The scene the canvas shows, or null.
    CSimScene* ActiveScene() const;

    // The first scene of that name on any frame buffer, or null.
    CSimScene* FindScene(const std::wstring& name) const;
    // A new scene with its "Global Light" node, focused on its frame buffer.
    CSimScene& AddScene(const std::wstring& name, size_t frameBuffer = 0);
    CSimNode& AddNode(CSimScene& scene, const std::wstring& name, long type, CSimNode* parent = nullptr);
    CSimElement& AddElement(CSimNode& node, const std::wstring& name, long type, const std::wstring& text);
    CSimElement& AddTemplate(CSimScene& scene, const std::wstring& name, const std::wstring& text);
    CSimTransition& AddTransition(CSimScene& scene, const std::wstring& name);
    CSimElement& SetBackground(CSimScene& scene, const std::wstring& imageSource);

    // Custom properties: declared per group, name and object type, "???"
    // where undeclared. Each object type has at most one declaration of a name.
    void DeclareProperty(SimPropertyDeclaration declaration);
    const SimPropertyDeclaration* Declaration(const std::wstring& objectType, const std::wstring& group,
                                              const std::wstring& name) const;
    // The declarations an object type carries, in declaration order.
    std::vector<const SimPropertyDeclaration*> DeclarationsOf(const std::wstring& objectType) const;
    const std::vector<SimPropertyDeclaration>& Declarations() const { return m_declarations; }
    // The value a client reads: the stored one, the default, or "???".
    CSimValue PropertyValue(const CSimNode& node, const std::wstring& group, const std::wstring& name) const;

    // The host registry.
    std::map<std::pair<std::wstring, std::wstring>, CSimValue>& Registry() { return m_registry; }

    // Plug-in registration calls, in order.
    const std::vector<SimRegistration>& Registrations() const { return m_registrations; }
    const std::vector<SimMenuItem>& MenuItems() const { return m_menuItems; }
    void RecordRegistration(const std::wstring& member, const CSimCall& call);
    long AddMenuItem(const std::wstring& plugin, const std::wstring& path, const std::wstring& command);
    // MDIFrame: opens a frame at the given place and size, sites the control
    // in it and hands it the application. False with a reason in `error`
    // (then nothing stays open).
    bool OpenFrameWindow(const std::wstring& caption, const RECT& place, const std::wstring& progId,
                         std::wstring& error);
    const std::vector<SimFrameWindow>& FrameWindows() const { return m_frameWindows; }
    // MDIFrame opens its frames as children of this window, as the host's
    // frames live in its client area; null (at first): as top-level windows.
    void SetFrameArea(HWND area) { m_frameArea = area; }

    // Copy and paste of the selection.
    std::vector<CSimNode*>& Clipboard() { return m_clipboard; }

    // The geometry plug-in of the host's type-32 bar nodes.
    CSimGeometry& Geometry() { return *m_geometry; }

    // Scene files of ours (see SimSceneFile.h); Open of the application loads them.
    bool OpenSceneFile(const std::wstring& path, std::wstring& error);

    // --- Controls ----------------------------------------------------------
    // Creates the control registered under `progId` (in-process server).
    HRESULT LoadControl(const std::wstring& progId, RefPtr<IDispatch>& control);
    // Calls a member by name; `arguments` in the caller's order. On a
    // DISP_E_EXCEPTION `error` receives the control's description.
    HRESULT CallControl(IDispatch* control, const std::wstring& name, WORD kind, std::vector<CSimValue> arguments,
                        VARIANT* result, std::wstring* error = nullptr);
    // The host's start-up call: OnInitialize(application, &status). True
    // when the call succeeded and the control set its status.
    bool InitializeControl(IDispatch* control);
    // The host's call when the user edits a node's custom properties of
    // `group` that `control` registered an editor for: Execute(application,
    // the node's property collection).
    HRESULT EditProperties(IDispatch* control, CSimNode& node, const std::wstring& group);
    // Runs a registered menu item by its plug-in and command names.
    HRESULT RunMenuItem(const std::wstring& plugin, const std::wstring& command);
    // Controls the host opened in frame windows (MDIFrame) and those it initialised.
    const std::vector<RefPtr<IDispatch>>& Controls() const { return m_controls; }
    // As the host closes: its frame windows go, and it lets go of every
    // control and menu item. What the controls still hold on the host's
    // objects then shows in OutsideReferences.
    void CloseControls();

    // --- Used by the dispatch objects --------------------------------------
    // A new object that the host owns until it goes.
    template <typename TObject, typename... Args>
    TObject& Create(Args&&... args)
    {
        TObject* object = new TObject(*this, std::forward<Args>(args)...);
        m_objects.push_back(RefPtr<CSimObject>::Adopt(object));
        return *object;
    }
    void RecordLookup(const std::wstring& className, const std::wstring& name);
    bool IsRemoved(const std::wstring& className, const std::wstring& name) const;
    void RecordCall(const std::wstring& className, const std::wstring& member, SimKind kind, const CSimCall& call);
    const SimInjectedError* InjectedError(const std::wstring& className, const std::wstring& member) const;
    HRESULT Reject(const std::wstring& className, const std::wstring& what, HRESULT hr);
    CSimApplication& ApplicationObject() { return *m_application; }

private:
    static std::wstring Key(const std::wstring& className, const std::wstring& name);

    std::vector<RefPtr<CSimObject>> m_objects; // one reference each, for the host's life
    CSimApplication* m_application;
    std::vector<CSimCanvas*> m_canvases;
    long m_activeCanvas = 0;
    CSimVersion* m_version;
    std::vector<CSimFrameBuffer*> m_frameBuffers;

    std::map<std::wstring, int> m_lookups; // "class.name" (name in lower case) -> count
    std::vector<SimCallRecord> m_calls;
    std::vector<std::wstring> m_rejections;
    std::set<std::wstring> m_removed;
    std::map<std::wstring, SimInjectedError> m_errors;
    std::function<void(const SimCallRecord&)> m_callHook;

    std::vector<SimPropertyDeclaration> m_declarations;
    std::map<std::pair<std::wstring, std::wstring>, CSimValue> m_registry;
    std::vector<SimRegistration> m_registrations;
    std::vector<SimMenuItem> m_menuItems;
    std::vector<SimFrameWindow> m_frameWindows;
    HWND m_frameArea = nullptr;
    std::vector<CSimNode*> m_clipboard;
    std::vector<RefPtr<IDispatch>> m_controls;
    IDispatch* m_initializing = nullptr; // the control inside OnInitialize
    std::unique_ptr<CSimGeometry> m_geometry;
};
