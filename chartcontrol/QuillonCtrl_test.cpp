// The control in this process, where a test can stand in for its editor
// window: the editor is told to reload on host event 0, follows the
// control's size, and is forgotten once it is destroyed.
#include <gtest/gtest.h>

#include <windows.h>

#include "chartcontrol/QuillonCtrl.h"
#include "chartcontrol/QuillonIds.h"
#include "chartcontrol/QuillonApp.h"
#include "base/com/ComTypes.h"
#include "base/win/UniqueHandle.h"
#include "platform/ui/MessageLoop.h"
#include "testing/simhost/SimHost.h"

namespace {

// A window that counts the editor's reload message.
class StandInEditor {
public:
    explicit StandInEditor(HWND parent)
    {
        static const bool registered = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = Procedure;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"QuillonStandInEditor";
            return RegisterClassW(&windowClass) != 0;
        }();
        EXPECT_TRUE(registered);
        m_window.Reset(CreateWindowExW(0, L"QuillonStandInEditor", L"", (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE, 0, 0,
                                       50, 50, parent, nullptr, GetModuleHandleW(nullptr), nullptr));
        s_reloads = 0;
    }
    HWND Get() const { return m_window.Get(); }
    void Destroy() { m_window.Reset(); }
    static int Reloads() { return s_reloads; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        if (msg == WM_USER + 1 && wParam == 0 && lParam == 0)
            ++s_reloads;
        return DefWindowProcW(window, msg, wParam, lParam);
    }

    UniqueWindow m_window;
    static int s_reloads;
};
int StandInEditor::s_reloads = 0;

RefPtr<IDispatch> NewControl()
{
    RefPtr<IDispatch> control;
    RefPtr<IClassFactory> factory;
    if (SUCCEEDED(GetServerClassObject(QuillonServer(), kQuillonClsid, IID_IClassFactory,
                                       reinterpret_cast<void**>(factory.Put()))))
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(control.Put()));
    return control;
}

HRESULT LyricEvent(CSimHost& host, IDispatch* control, long event)
{
    return host.CallControl(control, L"LyricEvent", DISPATCH_METHOD, {CSimValue(event)}, nullptr);
}

TEST(QuillonCtrl, EventZeroTellsTheEditorToReloadUntilTheEditorIsGone)
{
    CSimHost host;
    RefPtr<IDispatch> control = NewControl();
    ASSERT_TRUE(control);
    StandInEditor editor(nullptr);
    QuillonApp().KeepEditorWindow(editor.Get());
    for (long event : {1L, 3L, 11L, 12L})
        EXPECT_HRESULT_SUCCEEDED(LyricEvent(host, control.Get(), event));
    EXPECT_EQ(0, StandInEditor::Reloads()) << "only event 0 reloads";
    EXPECT_HRESULT_SUCCEEDED(LyricEvent(host, control.Get(), 0));
    EXPECT_EQ(1, StandInEditor::Reloads());

    const HWND gone = editor.Get();
    editor.Destroy();
    EXPECT_EQ(nullptr, QuillonApp().EditorWindow());
    // A new window may reuse the handle: it must not be taken for the editor.
    StandInEditor stranger(nullptr);
    EXPECT_HRESULT_SUCCEEDED(LyricEvent(host, control.Get(), 0));
    EXPECT_EQ(0, StandInEditor::Reloads()) << (stranger.Get() == gone ? "the reused handle" : "another window");
}

TEST(QuillonCtrl, TheEditorFollowsTheSizeOfTheControlsWindow)
{
    // Sited in Wine's ActiveX host window, the class object registered for this process.
    RefPtr<IClassFactory> factory;
    ASSERT_HRESULT_SUCCEEDED(GetServerClassObject(QuillonServer(), kQuillonClsid, IID_IClassFactory,
                                                  reinterpret_cast<void**>(factory.Put())));
    DWORD cookie = 0;
    ASSERT_HRESULT_SUCCEEDED(
        CoRegisterClassObject(kQuillonClsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    {
        CSimHost host;
        std::wstring error;
        ASSERT_TRUE(host.OpenFrameWindow(L"Frame", RECT{0, 0, 400, 300}, L"{8DDC23E1-38D4-4597-977E-CF0C42B361F4}", error))
            << error;
        const SimFrameWindow& frame = host.FrameWindows().at(0);
        EXPECT_EQ(S_OK, frame.setLyric);
        RefPtr<IOleWindow> site;
        ASSERT_HRESULT_SUCCEEDED(frame.control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(site.Put())));
        HWND controlWindow = nullptr;
        ASSERT_HRESULT_SUCCEEDED(site->GetWindow(&controlWindow));

        StandInEditor editor(controlWindow);
        QuillonApp().KeepEditorWindow(editor.Get());
        MoveWindow(frame.frame, 0, 0, 350, 260, TRUE);
        RECT controlRect{}, editorRect{};
        GetClientRect(controlWindow, &controlRect);
        GetClientRect(editor.Get(), &editorRect);
        EXPECT_GT(controlRect.right, 50);
        EXPECT_EQ(controlRect.right, editorRect.right);
        EXPECT_EQ(controlRect.bottom, editorRect.bottom);
    }
    CoRevokeClassObject(cookie);
    EXPECT_EQ(nullptr, QuillonApp().EditorWindow()) << "the editor went with the control's window";
}

} // namespace
