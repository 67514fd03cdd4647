#pragma once
// CEmptyView: a form view with nothing in it, for the setup dialog's lower panes.

#include "charteditor/SetupIds.h"
#include "platform/ui/FormView.h"

class CEmptyView : public CFormView {
public:
    CEmptyView() : CFormView(IDD_EMPTY_VIEW) {}
    ~CEmptyView() override { DestroyWindow(); }
};
