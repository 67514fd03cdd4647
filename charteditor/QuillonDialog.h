#pragma once
// CQuillonDialog: the chart editor, a child window of the Plotvane control
// inside the host's frame. A toolbar in a rebar and the maker's logo above
// a frame with the editor view; the window owns the chart document that the
// view's pages edit and loads it from the active scene. It deletes itself
// when its window goes (with the host's frame); on the way it stores the
// host frame's place in the host registry.

#include <windows.h>
#include <oaidl.h>

#include <memory>

#include "chartcontrol/QuillonDoc.h"
#include "charteditor/ControlFrame.h"
#include "common/about/VelmoraStatic.h"
#include "common/toolbar/EditorToolbar.h"
#include "platform/ui/Dialog.h"

class CQuillonView;

class CQuillonDialog : public CDialog {
public:
    // The editor window, shown, as a child of `parent`; null when it cannot
    // be made. The application is not owned.
    static CQuillonDialog* Open(HWND parent, IDispatch* application);

    CQuillonView* GetView() const { return m_view; }
    CQuillonDoc& Document() { return m_document; }
    HWND Frame() const { return m_frame.GetSafeHwnd(); }
    HWND Logo() const { return m_logo.GetSafeHwnd(); }
    HWND Rebar() const { return m_toolbar.Rebar(); }

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PostNcDestroy() override { DeleteWhenHandlersReturn(); }

private:
    CQuillonDialog(HWND parent, IDispatch* application);

    bool CreateFrame();
    void Layout(int width, int height);
    void StoreHostFramePlace();

    IDispatch* m_application;
    CEditorToolbar m_toolbar;
    CVelmoraStatic m_logo;
    // The document outlives the frame and its view.
    CQuillonDoc m_document;
    CControlFrame m_frame;
    CQuillonView* m_view = nullptr;
};
