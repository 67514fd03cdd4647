#include "charteditor/ChartPage.h"

bool CChartPage::PreTranslateMessage(MSG& msg)
{
    if (IsDialogEndingKey(msg))
        return true;
    return CDialog::PreTranslateMessage(msg);
}

void ForwardChartUpdate(CChartPage* page, CView* sender, LPARAM hint, void* object)
{
    if (page && ::IsWindow(page->GetSafeHwnd()))
        page->OnChartUpdate(sender, hint, object);
}
