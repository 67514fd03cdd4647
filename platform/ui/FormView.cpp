#include "platform/ui/FormView.h"

CFormView::CFormView(UINT templateId, HINSTANCE resources)
    : CDialog(templateId, nullptr, resources)
{
    KeepOpenOnEnterAndEscape();
}

bool CFormView::CreateView(HWND parent, UINT id)
{
    if (!Create(parent))
        return false;
    ::SetWindowLongPtrW(GetSafeHwnd(), GWLP_ID, static_cast<LONG_PTR>(id));
    return true;
}
