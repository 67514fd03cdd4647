#include "charteditor/ChartPage.h"

void ForwardChartUpdate(CChartPage* page, CView* sender, LPARAM hint, void* object)
{
    if (page && ::IsWindow(page->GetSafeHwnd()))
        page->OnChartUpdate(sender, hint, object);
}
