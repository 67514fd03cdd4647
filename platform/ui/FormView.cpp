#include "platform/ui/FormView.h"

CFormView::CFormView(UINT templateId, HINSTANCE resources)
    : CDialog(templateId, nullptr, resources)
{
}

bool CFormView::CreateView(HWND parent, UINT id)
{
    if (!Create(parent))
        return false;
    ::SetWindowLongPtrW(GetSafeHwnd(), GWLP_ID, static_cast<LONG_PTR>(id));
    return true;
}

bool CFormView::PreTranslateMessage(MSG& msg)
{
    if (IsDialogEndingKey(msg))
        return true;
    return CDialog::PreTranslateMessage(msg);
}
