#pragma once
// CFormView: a view that is a child dialog made from a template (WS_CHILD,
// DS_CONTROL). It has no scroll bars: its controls are laid out to its size.
//
// Enter and Escape never reach the dialog manager: in a modeless child they
// would become IDOK/IDCANCEL and hide the view.

#include "platform/ui/Dialog.h"
#include "platform/ui/Document.h"

class CFormView : public CDialog, public CView {
public:
    explicit CFormView(UINT templateId, HINSTANCE resources = CurrentModule());

    bool CreateView(HWND parent, UINT id) override;
    HWND GetViewWindow() const override { return GetSafeHwnd(); }
};
